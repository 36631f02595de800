// Only carries the tests' precompiled header.
