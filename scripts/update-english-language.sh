#!/usr/bin/env bash
# Writes Langs/RyvTracker.en.lng from the program's own texts: every window's
# texts and every text the program composes, as the built program has them.
# Run it after adding or changing a text, then give every other language file
# the same entries (the language tests tell which are missing).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake --build "$build" --target language_tests
QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC \
  RYV_WRITE_ENGLISH_LANGUAGE="$PWD/Langs/RyvTracker.en.lng" \
  "$build/tests/ui/language_tests" --gtest_filter='LanguageFilesTest.EnglishFileIsTheProgramsOwnTexts'
echo "Langs/RyvTracker.en.lng written"
