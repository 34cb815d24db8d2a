# Cross-build for arm64 with Debian's multiarch packages: the aarch64-linux-gnu compilers
# (crossbuild-essential-arm64), the arm64 Qt libraries (the ":arm64" -dev packages) and the
# build machine's own Qt tools (moc, rcc, qmlcachegen, lupdate run here, not on the target).
# Binaries built for the target, the tests among them, run under user-mode emulation.
#
#   cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.toolchain.cmake
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# Libraries, headers and CMake packages come from the arm64 multiarch folders (the library
# architecture above picks them in the usual prefixes); programs are the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu /usr/lib/aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# CTest runs target binaries through this; the arm64 loader and libraries are where
# multiarch put them, so qemu needs no prefix.
find_program(CS_QEMU_AARCH64 qemu-aarch64)
if(CS_QEMU_AARCH64)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CS_QEMU_AARCH64}")
endif()

# Anything found through pkg-config is the target's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)

