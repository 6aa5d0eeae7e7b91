# The two commands a newcomer needs: `make run` and `make test`.
.PHONY: run test build deps format clean

run: deps build
	scripts/run.sh

test: deps
	scripts/test.sh

build: deps
	scripts/build.sh

deps:
	scripts/deps.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
