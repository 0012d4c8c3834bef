# Cross build for 32-bit ARM (armhf), run here under qemu-arm:
#   cmake -S . -B build-armhf -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-armhf.cmake
set(KORVANDO_TRIPLE arm-linux-gnueabihf)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(KORVANDO_QEMU qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/cross-toolchain.cmake)
