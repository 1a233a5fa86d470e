# The reading service on MeCab (IPADIC), with the user's reading dictionary and KANJIDIC as
# fallback. Included from platform/CMakeLists.txt after reading_dictionary.cmake.

find_library(MECAB_LIBRARY mecab)
find_path(MECAB_INCLUDE_DIR mecab.h)
if(NOT MECAB_LIBRARY OR NOT MECAB_INCLUDE_DIR)
  find_program(MECAB_CONFIG mecab-config)
  if(MECAB_CONFIG)
    execute_process(COMMAND ${MECAB_CONFIG} --libs-only-L OUTPUT_VARIABLE _mecab_libdir
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    execute_process(COMMAND ${MECAB_CONFIG} --inc-dir OUTPUT_VARIABLE _mecab_incdir
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    string(REPLACE "-L" "" _mecab_libdir "${_mecab_libdir}")
    find_library(MECAB_LIBRARY mecab HINTS ${_mecab_libdir})
    find_path(MECAB_INCLUDE_DIR mecab.h HINTS ${_mecab_incdir})
  endif()
endif()
if(NOT MECAB_LIBRARY OR NOT MECAB_INCLUDE_DIR)
  message(FATAL_ERROR "libmecab not found: sudo apt-get install libmecab-dev mecab-ipadic-utf8")
endif()

add_library(yomika_reading_service STATIC
  ${CMAKE_CURRENT_LIST_DIR}/mecab_analyzer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mecab_analyzer.h
  ${CMAKE_CURRENT_LIST_DIR}/mecab_reading_service.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mecab_reading_service.h
  ${CMAKE_CURRENT_LIST_DIR}/reading_alignment.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reading_alignment.h
  ${CMAKE_CURRENT_LIST_DIR}/reading_compounds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reading_compounds.h
  ${CMAKE_CURRENT_LIST_DIR}/reading_kanjidic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reading_kanjidic.h
  ${CMAKE_CURRENT_LIST_DIR}/reading_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reading_rules.h
)
target_include_directories(yomika_reading_service PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_include_directories(yomika_reading_service PRIVATE ${MECAB_INCLUDE_DIR})
find_package(Threads REQUIRED)
target_link_libraries(yomika_reading_service
  PUBLIC Qt6::Core yomika_engine yomika_platform_core yomika_reading_dictionary
  PRIVATE ${MECAB_LIBRARY} Threads::Threads)

include(GoogleTest)
add_executable(reading_service_tests
  ${CMAKE_CURRENT_LIST_DIR}/mecab_alignment_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mecab_compounds_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mecab_kanjidic_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mecab_rules_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mecab_reading_service_test.cpp
)
target_link_libraries(reading_service_tests
  PRIVATE yomika_reading_service GTest::gtest GTest::gtest_main)
gtest_discover_tests(reading_service_tests DISCOVERY_TIMEOUT 30 PROPERTIES LABELS mecab)
