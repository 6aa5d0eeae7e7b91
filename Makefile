# The two commands a newcomer needs: `make run` and `make test`.
.PHONY: run test build deps format clean

run:
	scripts/deps.sh run
	scripts/build.sh Tonvale p2kapi
	scripts/run.sh

test: deps
	scripts/test.sh

build: deps
	scripts/build.sh

deps:
	scripts/deps.sh

format:
	scripts/deps.sh format
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
