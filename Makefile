# The two commands a newcomer needs: `make run` and `make test`; `make dist` packs the download.
.PHONY: run test dist screenshot build deps format clean

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

build: deps
	scripts/build.sh

deps:
	scripts/deps.sh

format:
	scripts/deps.sh format
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build dist
