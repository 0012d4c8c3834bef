# Hardening of release builds (the package's among them): the stack protector,
# fortified C library calls, full RELRO with immediate binding, and, in every
# build, a position-independent executable with a non-executable stack. A
# setting the distribution's own CXXFLAGS or LDFLAGS already make is left to
# them. The sanitizers replace the C library's checked functions themselves,
# so their builds are not fortified.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

if(NOT CMAKE_CXX_FLAGS MATCHES "stack-protector")
  string(APPEND CMAKE_CXX_FLAGS_RELEASE " -fstack-protector-strong")
endif()
if(NOT CMAKE_CXX_FLAGS MATCHES "_FORTIFY_SOURCE" AND NOT KORVANDO_SANITIZE)
  # Level 3 checks sizes known only at run time; it needs gcc 12 or clang 9.
  include(CheckCXXSourceCompiles)
  check_cxx_source_compiles("int main() { char b[2]; return __builtin_dynamic_object_size(b, 0) != 2; }"
    KORVANDO_FORTIFY_3)
  if(KORVANDO_FORTIFY_3)
    string(APPEND CMAKE_CXX_FLAGS_RELEASE " -D_FORTIFY_SOURCE=3")
  else()
    string(APPEND CMAKE_CXX_FLAGS_RELEASE " -D_FORTIFY_SOURCE=2")
  endif()
endif()
if(NOT CMAKE_EXE_LINKER_FLAGS MATCHES "relro")
  string(APPEND CMAKE_EXE_LINKER_FLAGS_RELEASE " -Wl,-z,relro")
endif()
if(NOT CMAKE_EXE_LINKER_FLAGS MATCHES "z[, ]*(now|lazy)")
  string(APPEND CMAKE_EXE_LINKER_FLAGS_RELEASE " -Wl,-z,now")
endif()
if(NOT CMAKE_EXE_LINKER_FLAGS MATCHES "execstack")
  string(APPEND CMAKE_EXE_LINKER_FLAGS " -Wl,-z,noexecstack")
endif()
