# The two commands a newcomer needs: `make run` and `make test`; `make dist` packs the download;
# `make bench` measures against baselines and `make fuzz` fuzzes the settings reader for five
# minutes (neither is part of the tests or CI).
.PHONY: run test dist screenshot bench fuzz build deps format clean

run:
	scripts/deps.sh run
	scripts/build.sh Tonvale p2kapi
	scripts/run.sh

test: deps
	scripts/test.sh

dist:
	scripts/deps.sh dist
	scripts/dist.sh

screenshot:
	scripts/deps.sh run
	scripts/screenshot.sh

bench: deps
	scripts/bench.sh

fuzz: deps
	scripts/fuzz.sh

build: deps
	scripts/build.sh

deps:
	scripts/deps.sh

format:
	scripts/deps.sh format
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build dist
