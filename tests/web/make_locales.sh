#!/bin/sh
# Generates the locales the registration tests run under, where root may.
# A locale that cannot be made is reported; its test run skips then.
status=0
for l in en_US de_DE ko_KR; do
  if locale -a 2>/dev/null | grep -qi "^$l\.utf-\?8$"; then continue; fi
  if ! localedef -i "$l" -f UTF-8 "$l.UTF-8" 2>/dev/null; then
    echo "cannot generate $l.UTF-8"
    [ -n "$CI" ] && status=1
  fi
done
exit $status
