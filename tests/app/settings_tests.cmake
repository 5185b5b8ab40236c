vy_add_test(settings_tests
    SOURCES app/data_folders_test.cpp app/profile_file_test.cpp
            app/template_install_test.cpp
    LIBS vy_settings)
