#!/usr/bin/env bash
# Builds the .deb with CPack into a temporary folder and checks its contents and dependencies.
set -euo pipefail
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$1" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb -c "$deb")
depends=$(dpkg-deb -f "$deb" Depends)
for path in usr/bin/vesperon usr/share/applications/vesperon.desktop \
            usr/share/metainfo/com.quillmark.Vesperon.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/vesperon.svg \
            usr/share/icons/hicolor/48x48/apps/vesperon.png usr/share/vesperon/Localization.txt \
            usr/share/man/man1/vesperon.1 usr/share/dbus-1/interfaces/example.quillmark.Vesperon1.xml; do
  grep -q "\./$path\$" <<<"$contents" || { echo "missing from the package: $path"; exit 1; }
done
for needed in libqt6core6 libqt6widgets6 libqt6dbus6 libqt6network6 libqt6svg6 qt6-qpa-plugins dbus; do
  grep -q "$needed" <<<"$depends" || { echo "not declared: $needed (Depends: $depends)"; exit 1; }
done
