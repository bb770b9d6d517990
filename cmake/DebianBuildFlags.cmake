# Debian's hardening flags for the Linux build, as dpkg-buildflags gives them
# to a package built with hardening=+all: the stack protector, fortified libc
# calls, format checks, and relocations made read-only and bound at start.
# Optimisation and debug information stay the build type's. A Debug or
# sanitizer build goes without (fortified calls need optimisation, and would
# take errors away from AddressSanitizer), and so does a machine without
# dpkg-dev.
set(SKYVAULT_HARDENED OFF)
if(NOT SKYVAULT_LINUX OR SKYVAULT_SANITIZE OR CMAKE_BUILD_TYPE STREQUAL "Debug")
  return()
endif()
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
  message(STATUS "dpkg-buildflags not found: building without Debian's hardening flags")
  return()
endif()

function(skyvault_debian_build_flags kind out)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env
      "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-all"
      "DEB_${kind}_MAINT_STRIP=-g -O2"
      ${DPKG_BUILDFLAGS} --get ${kind}
    OUTPUT_VARIABLE flags
    OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  set(${out} ${flags} PARENT_SCOPE)
endfunction()

skyvault_debian_build_flags(CPPFLAGS SKYVAULT_DEB_CPPFLAGS)
skyvault_debian_build_flags(CFLAGS SKYVAULT_DEB_CFLAGS)
skyvault_debian_build_flags(CXXFLAGS SKYVAULT_DEB_CXXFLAGS)
skyvault_debian_build_flags(LDFLAGS SKYVAULT_DEB_LDFLAGS)
foreach(flag IN LISTS SKYVAULT_DEB_CPPFLAGS)
  add_compile_options(${flag})
endforeach()
foreach(flag IN LISTS SKYVAULT_DEB_CFLAGS)
  add_compile_options($<$<COMPILE_LANGUAGE:C>:${flag}>)
endforeach()
foreach(flag IN LISTS SKYVAULT_DEB_CXXFLAGS)
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:${flag}>)
endforeach()
add_link_options(${SKYVAULT_DEB_LDFLAGS})
set(SKYVAULT_HARDENED ON)
message(STATUS "Debian's build flags: ${SKYVAULT_DEB_CPPFLAGS} ${SKYVAULT_DEB_CXXFLAGS} ${SKYVAULT_DEB_LDFLAGS}")
