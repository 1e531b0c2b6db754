# Warnings and sanitizers for every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow
                    -Wnon-virtual-dtor -Woverloaded-virtual)
if(KW3_WERROR)
  add_compile_options(-Werror)
endif()
if(KW3_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/Hardening.cmake)
