# The cadence benchmark drives the real widget on X11 and syncs with the server.
find_package(PkgConfig REQUIRED)
pkg_check_modules(VIEW_CADENCE_XCB REQUIRED IMPORTED_TARGET xcb)
target_link_libraries(${name} PRIVATE vantrel_view PkgConfig::VIEW_CADENCE_XCB)
