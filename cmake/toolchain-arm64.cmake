# Cross build for 64-bit ARM (arm64), run here under qemu-aarch64:
#   cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-arm64.cmake
set(KORVANDO_TRIPLE aarch64-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(KORVANDO_QEMU qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/cross-toolchain.cmake)
