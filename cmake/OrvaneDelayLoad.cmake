# System DLLs that are not "known DLLs" (gdiplus, winhttp, comctl32, bcrypt) are looked up in
# the exe's own folder first when they sit in its import table, before any of our code runs: a
# DLL planted beside the installer in Downloads would be loaded. Linked through these delay-load
# import libraries instead, each DLL is loaded on its first call, after wWinMain has limited the
# search to the system folder (SetDefaultDllDirectories).
#
# orvane_delay_load(<name>): the target orvane::delay_<name>, an import library for <name>.dll
# made with dlltool --output-delaylib from the exports of MinGW's own import library.

find_program(ORVANE_DLLTOOL NAMES ${MINGW_PREFIX}-dlltool REQUIRED)
find_program(ORVANE_NM NAMES ${MINGW_PREFIX}-nm REQUIRED)
find_library(ORVANE_DELAYIMP delayimp REQUIRED)

function(orvane_delay_load name)
  find_library(ORVANE_IMPORT_${name} ${name} REQUIRED)
  set(dir ${CMAKE_BINARY_DIR}/delayload)
  set(def ${dir}/${name}.def)
  set(lib ${dir}/lib${name}_delay.a)
  add_custom_command(
    OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${CMAKE_COMMAND} -DNM=${ORVANE_NM} -DIMPORT_LIBRARY=${ORVANE_IMPORT_${name}}
            -DDLL=${name}.dll -DDEF=${def} -P ${PROJECT_SOURCE_DIR}/cmake/write_import_def.cmake
    COMMAND ${ORVANE_DLLTOOL} --input-def ${def} --output-delaylib ${lib} --dllname ${name}.dll
    DEPENDS ${ORVANE_IMPORT_${name}} ${PROJECT_SOURCE_DIR}/cmake/write_import_def.cmake
    COMMENT "Delay-load import library for ${name}.dll")
  add_custom_target(orvane_delay_${name}_library DEPENDS ${lib})
  add_library(orvane_delay_${name} INTERFACE)
  # MinGW's own import library after it: only for what is no function of the DLL (gdiplus's
  # cached font family data); every function already resolves to the delay-load thunks.
  target_link_libraries(orvane_delay_${name} INTERFACE ${lib} ${ORVANE_DELAYIMP} ${name})
  add_dependencies(orvane_delay_${name} orvane_delay_${name}_library)
  add_library(orvane::delay_${name} ALIAS orvane_delay_${name})
endfunction()

foreach(dll gdiplus winhttp comctl32 bcrypt)
  orvane_delay_load(${dll})
endforeach()
