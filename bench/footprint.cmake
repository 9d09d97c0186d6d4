# The yardstick for bench/footprint.sh: a program that only shows Varnel's
# tray icon. It carries the same compiled-in resources, so the comparison
# weighs what Varnel adds on top of Qt and its artwork.
add_executable(minimal_tray ${CMAKE_CURRENT_LIST_DIR}/minimal_tray.cpp
    ${CMAKE_SOURCE_DIR}/resources/varnel.qrc)
target_link_libraries(minimal_tray PRIVATE Qt6::Widgets varnel_warnings)

# The longest pause of the window while its browser opens a large directory
# (bench/listing_pause.cpp), over the real platform.
add_executable(listing_pause ${CMAKE_CURRENT_LIST_DIR}/listing_pause.cpp)
target_link_libraries(listing_pause PRIVATE varnel_qt varnel_warnings)

# What item icons add to the first showing of a large tree
# (bench/icons_load.cpp), over the real platform and icon theme.
add_executable(icons_load ${CMAKE_CURRENT_LIST_DIR}/icons_load.cpp)
target_link_libraries(icons_load PRIVATE varnel_qt varnel_warnings)
