# Warnings and sanitizers for every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
                    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual
                    -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
if(FRETKIT_WERROR)
  add_compile_options(-Werror)
endif()
# libstdc++ 12 deprecates get_temporary_buffer yet calls it from std::stable_sort; g++ keeps that
# inside the system header, clang reports it at every stable_sort in our code.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  add_compile_options(-Wno-deprecated-declarations)
endif()

if(FRETKIT_SANITIZE)
  string(REPLACE ";" "," _fretkit_sanitizers "${FRETKIT_SANITIZE}")
  add_compile_options(-fsanitize=${_fretkit_sanitizers} -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_fretkit_sanitizers})
endif()
