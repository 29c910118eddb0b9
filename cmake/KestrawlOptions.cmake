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
# libFuzzer comes with clang: the engine gets its coverage hooks
# (fuzzer-no-link) and the sanitizers; the targets in fuzz/ link the driver.
if(KWL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "KWL_FUZZ needs clang: configure with CXX=clang++")
  endif()
  target_compile_options(kwl_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(kwl_options INTERFACE -fsanitize=address,undefined)
endif()
# GCC 12 reports -Wrestrict for "literal" + std::string at -O2 (a false
# positive of that release's libstdc++, fixed in GCC 13).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(kwl_options INTERFACE -Wno-restrict)
endif()
