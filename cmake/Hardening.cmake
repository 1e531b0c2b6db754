# The protections Debian builds its packages with (dpkg-buildflags, hardening=+all):
# stack protector and clash protection, control-flow protection, checked libc calls,
# and a read-only relocation table bound at start. The sanitizer builds go without:
# the checked libc calls hide overflows from AddressSanitizer.
option(KW3_HARDENING "Build with Debian's hardening flags" ON)
if(KW3_HARDENING AND NOT KW3_SANITIZE)
  add_compile_options(-fstack-protector-strong -fstack-clash-protection -Wformat -Werror=format-security)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|i.86")
    add_compile_options(-fcf-protection)
  endif()
  # The checked calls need the optimiser; without it glibc only warns that they are off.
  add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
