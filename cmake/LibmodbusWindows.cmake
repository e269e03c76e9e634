# libmodbus for the Windows programs, as libmodbus-5.dll: Debian has no
# mingw-w64 build of it, so it is built here from Debian's own source package
# (with Debian's patches), the same version the Linux build links where
# libmodbus-dev is installed. The target `modbus` (alias tarvel::libmodbus)
# gives <modbus.h>; the DLL needs nothing beyond Windows' own DLLs.
# Sets TARVEL_LIBMODBUS_DIR (the unpacked source), LIBMODBUS_VERSION,
# TARVEL_LIBMODBUS_DEBIAN_VERSION and, for res/windows/libmodbus-source.txt.in,
# TARVEL_LIBMODBUS_FILES and TARVEL_LIBMODBUS_SNAPSHOT_VERSION.

set(TARVEL_SOURCE_CACHE ${PROJECT_SOURCE_DIR}/build/_sources CACHE PATH
    "Where source packages built for Windows are unpacked, once for both targets")
execute_process(
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/debian-source.sh --as-installed libmodbus-dev
          libmodbus 3.1.6 ${TARVEL_SOURCE_CACHE}
  OUTPUT_VARIABLE TARVEL_LIBMODBUS_DIR OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE fetched)
if(NOT fetched EQUAL 0)
  message(FATAL_ERROR "libmodbus's Debian source package, which the Windows programs are built with, could not be had (above)")
endif()
string(REGEX REPLACE "^.*/libmodbus-" "" TARVEL_LIBMODBUS_DEBIAN_VERSION "${TARVEL_LIBMODBUS_DIR}")

# The version numbers, and the DLL's name as libtool gives it on Windows:
# libmodbus-(current - age).dll.
set(libmodbus_src ${TARVEL_LIBMODBUS_DIR}/src)
file(READ ${TARVEL_LIBMODBUS_DIR}/configure.ac configure_ac)
foreach(part major minor micro)
  string(REGEX MATCH "libmodbus_version_${part}\\], \\[([0-9]+)" _ "${configure_ac}")
  string(TOUPPER ${part} PART)
  set(LIBMODBUS_VERSION_${PART} ${CMAKE_MATCH_1})
endforeach()
string(REGEX MATCH "LIBMODBUS_LD_CURRENT=([0-9]+)" _ "${configure_ac}")
set(ld_current ${CMAKE_MATCH_1})
string(REGEX MATCH "LIBMODBUS_LD_AGE=([0-9]+)" _ "${configure_ac}")
set(ld_age ${CMAKE_MATCH_1})
if(NOT "${LIBMODBUS_VERSION_MICRO}" MATCHES "^[0-9]+$" OR NOT "${ld_current}${ld_age}" MATCHES "^[0-9]+$")
  message(FATAL_ERROR "${TARVEL_LIBMODBUS_DIR}/configure.ac: no version numbers where libmodbus 3.1 has them")
endif()
math(EXPR libmodbus_abi "${ld_current} - ${ld_age}")
set(LIBMODBUS_VERSION ${LIBMODBUS_VERSION_MAJOR}.${LIBMODBUS_VERSION_MINOR}.${LIBMODBUS_VERSION_MICRO})
set(libmodbus_include ${CMAKE_CURRENT_BINARY_DIR}/libmodbus)
configure_file(${libmodbus_src}/modbus-version.h.in ${libmodbus_include}/modbus-version.h @ONLY)

add_library(modbus SHARED
  ${libmodbus_src}/modbus.c
  ${libmodbus_src}/modbus-data.c
  ${libmodbus_src}/modbus-rtu.c
  ${libmodbus_src}/modbus-tcp.c)
add_library(tarvel::libmodbus ALIAS modbus)
# libmodbus's headers are not ours to hold to our warnings.
target_include_directories(modbus SYSTEM PUBLIC ${libmodbus_src} ${libmodbus_include})
target_include_directories(modbus PRIVATE ${PROJECT_SOURCE_DIR}/cmake/libmodbus)
# DLLBUILD is what MSVC's dllexport needs; with gcc, ld exports every global
# function, as libtool's mingw-w64 build of libmodbus does.
target_compile_definitions(modbus PRIVATE DLLBUILD)
target_link_libraries(modbus PRIVATE ws2_32)
target_link_options(modbus PRIVATE -static-libgcc -s)
set_target_properties(modbus PROPERTIES RUNTIME_OUTPUT_NAME modbus-${libmodbus_abi})

# For the download's note on where the DLL comes from: the archive addresses
# of the package's files with the SHA-256 apt checked them against, and the
# version as snapshot.debian.org spells it in an address.
file(STRINGS ${TARVEL_LIBMODBUS_DIR}.uris uris)
# configure_file's CRLF leaves a value's own line ends as they are.
list(TRANSFORM uris REPLACE "^([^ ]+) (.+)$" "  \\1\r\n    \\2")
list(JOIN uris "\r\n" TARVEL_LIBMODBUS_FILES)
string(REPLACE "+" "%2B" TARVEL_LIBMODBUS_SNAPSHOT_VERSION "${TARVEL_LIBMODBUS_DEBIAN_VERSION}")
