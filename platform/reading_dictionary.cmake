# The per-user reading dictionary (readings.tsv), shared by the program, the converter and the
# reading service. Included from platform/CMakeLists.txt.

add_library(yomika_reading_dictionary STATIC
  ${CMAKE_CURRENT_LIST_DIR}/reading_dictionary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reading_dictionary.h
)
target_include_directories(yomika_reading_dictionary PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(yomika_reading_dictionary PUBLIC Qt6::Core)

include(GoogleTest)
add_executable(reading_dictionary_tests ${CMAKE_CURRENT_LIST_DIR}/reading_dictionary_test.cpp)
target_link_libraries(reading_dictionary_tests
  PRIVATE yomika_reading_dictionary GTest::gtest GTest::gtest_main)
gtest_discover_tests(reading_dictionary_tests DISCOVERY_TIMEOUT 30)
