# The virtual LCD module. Its PNG writer needs QtGui, so the core-only build
# tests the module without it.
if(TARGET vy_frame_png)
    vy_add_test(virtual_lcd_tests
        SOURCES link/lcd_command_parser_test.cpp link/virtual_lcd_test.cpp link/frame_png_test.cpp
        LIBS vy_virtual_lcd vy_frame_png vy_raster Qt6::Gui)
else()
    vy_add_test(virtual_lcd_tests
        SOURCES link/lcd_command_parser_test.cpp link/virtual_lcd_test.cpp
        LIBS vy_virtual_lcd vy_raster)
endif()
