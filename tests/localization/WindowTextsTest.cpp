#include "localization/WindowTexts.h"
#include "support/TestFiles.h"
