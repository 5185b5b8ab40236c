vy_add_test(source_tests SOURCES app/source_settings_test.cpp app/source_generator_test.cpp LIBS vy_source)
