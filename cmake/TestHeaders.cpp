// The translation unit that makes the test programs' precompiled headers (see TarvoTargets.cmake).
