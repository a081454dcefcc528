# One step of the install check; STEP says which. Run by CTest with BUILD_DIR, PREFIX and
# VERSION set.

set(app_id org.mqxt410.Controller)
set(programs mqx-controller mqxtool mqx-sim)

if(STEP STREQUAL "install")
    file(REMOVE_RECURSE ${PREFIX})
    execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                    RESULT_VARIABLE code OUTPUT_QUIET)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "cmake --install failed: ${code}")
    endif()

elseif(STEP STREQUAL "files")
    set(expected
        bin/mqx-controller bin/mqx-sim bin/mqxtool
        share/applications/${app_id}.desktop
        share/doc/mqx-controller/changelog.gz share/doc/mqx-controller/copyright
        share/icons/hicolor/scalable/apps/mqx-controller.svg
        share/man/man1/mqx-controller.1.gz share/man/man1/mqx-sim.1.gz
        share/man/man1/mqxtool.1.gz
        share/metainfo/${app_id}.metainfo.xml)
    foreach(size 16 22 24 32 48 64 128 256)
        list(APPEND expected share/icons/hicolor/${size}x${size}/apps/mqx-controller.png)
    endforeach()
    file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${PREFIX} ${PREFIX}/*)
    list(SORT expected)
    list(SORT found)
    if(NOT found STREQUAL expected)
        set(missing ${expected})
        list(REMOVE_ITEM missing ${found})
        set(extra ${found})
        list(REMOVE_ITEM extra ${expected})
        message(FATAL_ERROR "installed files differ\n missing: ${missing}\n extra: ${extra}")
    endif()
    foreach(program ${programs})
        file(GET_RUNTIME_DEPENDENCIES EXECUTABLES ${PREFIX}/bin/${program}
             UNRESOLVED_DEPENDENCIES_VAR unresolved)
        if(unresolved)
            message(FATAL_ERROR "${program} needs libraries not found: ${unresolved}")
        endif()
    endforeach()

elseif(STEP STREQUAL "versions")
    # Each program answers --version with its name and the project's version, without a
    # display.
    foreach(program ${programs})
        execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                                QT_QPA_PLATFORM= ${PREFIX}/bin/${program} --version
                        OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code
                        OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT code EQUAL 0 OR NOT out STREQUAL "${program} ${VERSION}")
            message(FATAL_ERROR "${program} --version gave ${code}: '${out}' ${err}")
        endif()
    endforeach()

elseif(STEP STREQUAL "manuals")
    # The generated pages carry what each program's --help says; the written one its topics.
    set(wanted_mqxtool "ports" "--port" "--version" "mqxtool 1" "--limit" "--json")
    set(wanted_mqx-sim "--link" "--no-pacing" "--fault" "mqx-sim 1")
    set(wanted_mqx-controller "--demo" "mqx-controller.ini" "\\[Ports\\]" "dialout")
    foreach(program ${programs})
        execute_process(COMMAND gzip -dc ${PREFIX}/share/man/man1/${program}.1.gz
                        OUTPUT_VARIABLE page RESULT_VARIABLE code)
        if(NOT code EQUAL 0 OR NOT page MATCHES "^[.'\\]")
            message(FATAL_ERROR "${program}.1.gz is not a manual page")
        endif()
        string(REPLACE "\\-" "-" page "${page}")
        foreach(text ${wanted_${program}})
            if(NOT page MATCHES "${text}")
                message(FATAL_ERROR "${program}.1 does not mention ${text}")
            endif()
        endforeach()
    endforeach()

elseif(STEP STREQUAL "desktop_entry" OR STEP STREQUAL "metainfo")
    if(STEP STREQUAL "desktop_entry")
        set(tool desktop-file-validate)
        set(package desktop-file-utils)
        set(arguments ${PREFIX}/share/applications/${app_id}.desktop)
    else()
        set(tool appstreamcli)
        set(package appstream)
        set(arguments validate --no-net --pedantic
                      ${PREFIX}/share/metainfo/${app_id}.metainfo.xml)
    endif()
    find_program(validator ${tool})
    if(NOT validator)
        message("SKIPPED: ${tool} is not installed (Debian package ${package})")
        return()
    endif()
    execute_process(COMMAND ${validator} ${arguments} RESULT_VARIABLE code
                    OUTPUT_VARIABLE out ERROR_VARIABLE out)
    message("${tool}: ${out}")
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "${tool} failed (${code})")
    endif()
else()
    message(FATAL_ERROR "unknown STEP ${STEP}")
endif()
