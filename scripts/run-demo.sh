#!/usr/bin/env bash
# Builds everything, (re)generates the demo data set in ./demo when it is
# missing or older than its generator, puts driver, skills and levelkit beside
# it and starts the first two there: driver saves LEVEL___.DAT into its current directory and
# skills patches the LEVEL___.DAT next to its own executable, so they meet.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh default

bin=build/default
demo=demo
mkdir -p "$demo"
if [ -x "$bin/tools/make_demo_data" ]; then
  if [ ! -f "$demo/.stamp" ] || [ "$bin/tools/make_demo_data" -nt "$demo/.stamp" ]; then
    "$bin/tools/make_demo_data" "$demo"
    touch "$demo/.stamp"
  fi
else
  echo "The demo-data generator is not built yet: no demo data." >&2
fi
for program in driver/driver skills/skills tools/levelkit/levelkit; do
  [ -x "$bin/$program" ] && cp -f "$bin/$program" "$demo/"
done

echo "In $demo/: $(ls "$demo" | tr '\n' ' ')"
if [ "${NO_START:-0}" = 1 ]; then exit 0; fi
cd "$demo"
[ -x ./skills ] && { ./skills & }
[ -x ./driver ] && exec ./driver
