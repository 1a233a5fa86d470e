# The tag catalogue: the 23 insertable tags, shared by the popup menu and the options dialog.
# Included from editmenu/CMakeLists.txt.

add_library(yomika_tag_catalogue STATIC
  ${CMAKE_CURRENT_LIST_DIR}/tag_catalogue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tag_catalogue.h
)
target_include_directories(yomika_tag_catalogue PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(yomika_tag_catalogue PUBLIC Qt6::Core)

include(GoogleTest)
add_executable(tag_catalogue_tests ${CMAKE_CURRENT_LIST_DIR}/tag_catalogue_test.cpp)
target_link_libraries(tag_catalogue_tests PRIVATE yomika_tag_catalogue GTest::gtest_main)
gtest_discover_tests(tag_catalogue_tests DISCOVERY_TIMEOUT 30)
