# The compiler and linker flags Debian builds its packages with (see
# dpkg-buildflags with hardening=+all), for every build that ships a program,
# and the flags that make two builds of one commit give the same bytes
# wherever and whenever they run.

# Source paths baked into debug info and __FILE__ would name the folder the
# tree was cloned into; the build folder lies inside it, so one map covers both.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)

if(NOT SCIEDIT_HARDEN)
  return()
endif()

add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
# glibc's checked functions need the optimiser to see buffer sizes; without
# it they warn, so the unoptimised Debug build does without.
if(NOT WIN32)
  add_compile_options($<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
endif()

if(WIN32)
  # mingw-w64 links the stack protector's runtime, libssp, when the flag is
  # also given to the linker; with -static it ends up inside the program.
  add_link_options(-fstack-protector-strong)
  # ASLR with 64-bit addresses and no executable data, as Windows expects of
  # a program today; a link time in the header would make every build differ.
  add_link_options(LINKER:--dynamicbase LINKER:--high-entropy-va LINKER:--nxcompat
                   LINKER:--no-insert-timestamp)
else()
  # Stack-clash protection is in Debian's flags from Debian 13 on; it costs
  # a probe per page of a large frame, which this program hardly has.
  add_compile_options(-fcf-protection -fstack-clash-protection)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
