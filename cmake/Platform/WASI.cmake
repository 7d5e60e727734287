# WASI, the WebAssembly system interface, for CMake versions without a
# platform file of their own (cmake/toolchain.cmake adds this folder).
set(WASI 1)
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set_property(GLOBAL PROPERTY TARGET_SUPPORTS_SHARED_LIBS FALSE)
