#pragma once

// What the tests share: GoogleTest and GoogleMock, Qt's test helpers, temporary folders,
// whole-file helpers, readable Qt values in failure messages, and u"text"_s for QString texts.

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
