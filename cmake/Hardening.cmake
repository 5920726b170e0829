# The hardening Debian builds its packages with (dpkg-buildflags, plus bindnow): a strong
# stack protector, checked libc calls where sizes are known, and relocations made
# read-only at start. Left out of the sanitizer and fuzzing builds, which bring their
# own checks. _FORTIFY_SOURCE needs an optimised build and is not set twice.
if(NOT WPD_SANITIZE AND NOT WPD_FUZZ)
  add_compile_options(-fstack-protector-strong)
  if(NOT CMAKE_CXX_FLAGS MATCHES "_FORTIFY_SOURCE")
    add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
  endif()
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
