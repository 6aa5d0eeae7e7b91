# The two commands a newcomer needs: `make run` and `make test`; `make dist` packs the download,
# `make fuzz` fuzzes the settings reader for five minutes.
.PHONY: run test dist fuzz build deps format clean

run:
	scripts/deps.sh run
	scripts/build.sh Tonvale p2kapi
	scripts/run.sh

test: deps
	scripts/test.sh

dist:
	scripts/deps.sh dist
	scripts/dist.sh

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
