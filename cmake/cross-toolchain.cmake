# The part every cross toolchain here shares, for the target named by
# KORVANDO_TRIPLE (a Debian cross compiler's prefix), CMAKE_SYSTEM_PROCESSOR
# and KORVANDO_QEMU (the qemu-user program that runs its programs here).
# Libraries and headers come from the target's folder only, never from the
# build machine's; programs from the build machine.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${KORVANDO_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${KORVANDO_TRIPLE}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${KORVANDO_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVANDO_QEMU} -L /usr/${KORVANDO_TRIPLE})
