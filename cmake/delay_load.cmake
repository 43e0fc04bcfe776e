# Import libraries that load their DLL on the first call rather than at start:
# the resident program then maps only what the main window uses, and the
# libraries for the engine, dialogs, common controls, printing, networking and
# COM come in when a command or a hint first needs them. Each `qm_delay_<name>`
# target replaces `<name>` on a link line; it is made at configure time from
# the toolchain's own import library, so it exports exactly what that library
# does.
string(REGEX REPLACE "g\\+\\+(-[^/]*)?$" "dlltool" QM_DLLTOOL_GUESS "${CMAKE_CXX_COMPILER}")
find_program(QM_DLLTOOL NAMES ${QM_DLLTOOL_GUESS} dlltool REQUIRED)

function(qm_delay_load_library name)
  set(target qm_delay_${name})
  if(TARGET ${target})
    return()
  endif()
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${name}.a
                  OUTPUT_VARIABLE import_library OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT EXISTS "${import_library}")
    message(FATAL_ERROR "no import library for ${name}")
  endif()
  execute_process(COMMAND ${CMAKE_NM} --defined-only "${import_library}"
                  OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot list ${import_library}")
  endif()
  set(dll "${name}.dll")
  if(name STREQUAL "winspool")
    set(dll "winspool.drv")
  endif()
  string(REGEX MATCHALL "I __imp__?[A-Za-z0-9_@?$]+" imports "${symbols}")
  set(def "LIBRARY ${dll}\nEXPORTS\n")
  foreach(import IN LISTS imports)
    string(REGEX REPLACE "^I __imp_" "" export "${import}")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(REGEX REPLACE "^_" "" export "${export}") # the 32-bit C prefix
    endif()
    # Interface identifiers some libraries also export as data come from
    # libuuid, linked directly; a second definition would clash with it.
    if(export MATCHES "^(IID|CLSID|LIBID)_")
      continue()
    endif()
    string(APPEND def "${export}\n")
  endforeach()
  set(dir ${CMAKE_BINARY_DIR}/delay_load)
  file(MAKE_DIRECTORY ${dir})
  file(WRITE ${dir}/${name}.def "${def}")
  set(options)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(options --kill-at) # import by the undecorated name, as the system's libraries do
  endif()
  execute_process(COMMAND ${QM_DLLTOOL} ${options} --input-def ${dir}/${name}.def --dllname ${dll}
                          --output-delaylib ${dir}/lib${name}_delay.a
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "dlltool could not make the delay-load library for ${name}")
  endif()
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${dir}/lib${name}_delay.a)
endfunction()

# The 32-bit linker drops an import stub's code when nothing calls the stub by
# name, which is what a `dllimport` call does (it goes through the slot). A
# delay-load slot starts out pointing at that code, so a call to a function
# not yet loaded would jump to address 0. Declared without `dllimport`, every
# call goes through its stub and the stub stays.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_compile_definitions(DECLSPEC_IMPORT=)
endif()

foreach(library ole32 oleaut32 version winmm mpr wsock32 netapi32 winspool comdlg32 comctl32 oleacc)
  qm_delay_load_library(${library})
endforeach()
