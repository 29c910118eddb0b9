# One place for the language standard, warnings and sanitizers: every target
# of the project links kwl_options instead of setting flags of its own.
add_library(kwl_options INTERFACE)
target_compile_features(kwl_options INTERFACE cxx_std_20)
target_compile_options(kwl_options INTERFACE -Wall -Wextra -Wpedantic)
if(KWL_SANITIZE)
  target_compile_options(kwl_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(kwl_options INTERFACE -fsanitize=address,undefined)
endif()
