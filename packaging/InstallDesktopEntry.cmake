# Run by the installation: writes the desktop entry. When sample recordings were installed, the
# entry gets an action that plays the first of them from where it now lies.
set(datadir "${CMAKE_INSTALL_PREFIX}/${VZ_INSTALL_DATADIR}")
file(READ "${CMAKE_CURRENT_LIST_DIR}/vodazuzovi.desktop" entry)
file(GLOB samples "$ENV{DESTDIR}${datadir}/vodazuzovi/samples/I*.??I")
if(samples)
    list(SORT samples)
    list(GET samples 0 sample)
    get_filename_component(sample "${sample}" NAME)
    string(APPEND entry
        "Actions=PlaySample;\n"
        "\n"
        "[Desktop Action PlaySample]\n"
        "Name=Play the Sample Recording\n"
        "Exec=vodazuzovi --playback \"${datadir}/vodazuzovi/samples/${sample}\"\n")
endif()
set(target "$ENV{DESTDIR}${datadir}/applications/vodazuzovi.desktop")
message(STATUS "Installing: ${target}")
file(WRITE "${target}" "${entry}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${target}")
