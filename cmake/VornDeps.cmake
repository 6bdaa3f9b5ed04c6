# Imported targets for the dependencies built by deps/build-deps.sh.
# VORN_DEPS_PREFIX names the installed prefix that script printed.
if(NOT VORN_DEPS_PREFIX OR NOT EXISTS "${VORN_DEPS_PREFIX}/bin/lua51.dll")
  message(FATAL_ERROR "VORN_DEPS_PREFIX must name the folder deps/build-deps.sh printed")
endif()

list(APPEND CMAKE_FIND_ROOT_PATH "${VORN_DEPS_PREFIX}")
set(VORN_DEPS_BIN "${VORN_DEPS_PREFIX}/bin")

function(vorn_import_shared name dll implib includes)
  add_library(${name} SHARED IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES
    IMPORTED_LOCATION "${VORN_DEPS_BIN}/${dll}"
    IMPORTED_IMPLIB "${VORN_DEPS_PREFIX}/lib/${implib}"
    INTERFACE_INCLUDE_DIRECTORIES "${includes}")
endfunction()

function(vorn_import_static name lib includes)
  add_library(${name} STATIC IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES
    IMPORTED_LOCATION "${lib}"
    INTERFACE_INCLUDE_DIRECTORIES "${includes}")
endfunction()

# Lua 5.1 as a DLL: hosts and the debug client drive the one core in lua51.dll.
vorn_import_shared(Vorn::lua51 lua51.dll liblua51.dll.a "${VORN_DEPS_PREFIX}/include/lua51")
set_property(TARGET Vorn::lua51 PROPERTY INTERFACE_COMPILE_DEFINITIONS LUA_BUILD_AS_DLL)

# Lua 5.0 as a DLL, when the dependency build had its sources: lua50.dll and lua.exe
# ship, and the Lua 5.0 compiler and debug libraries are built over it.
if(EXISTS "${VORN_DEPS_BIN}/lua50.dll")
  set(VORN_HAVE_LUA50 ON)
  vorn_import_shared(Vorn::lua50 lua50.dll liblua50.dll.a "${VORN_DEPS_PREFIX}/include/lua50")
else()
  set(VORN_HAVE_LUA50 OFF)
  message(STATUS "No Lua 5.0 in ${VORN_DEPS_PREFIX}: lua.exe, luac.exe and the Lua 5.0 debug libraries are not built")
endif()

# Scintilla is loaded at run time; only its headers are compiled against.
add_library(Vorn::scintilla_headers INTERFACE IMPORTED GLOBAL)
set_target_properties(Vorn::scintilla_headers PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES "${VORN_DEPS_PREFIX}/include/scintilla")

vorn_import_static(Vorn::tinyxml "${VORN_DEPS_PREFIX}/lib/libtinyxml.a"
                   "${VORN_DEPS_PREFIX}/include/tinyxml")
set_property(TARGET Vorn::tinyxml PROPERTY INTERFACE_COMPILE_DEFINITIONS TIXML_USE_STL)

# zlib: link the static archive by path; -lz would pick the DLL import library.
find_path(VORN_ZLIB_INCLUDE zlib.h REQUIRED)
find_library(VORN_ZLIB_STATIC NAMES libz.a REQUIRED)
vorn_import_static(Vorn::zlib "${VORN_ZLIB_STATIC}" "${VORN_ZLIB_INCLUDE}")
vorn_import_static(Vorn::minizip "${VORN_DEPS_PREFIX}/lib/libminizip.a"
                   "${VORN_DEPS_PREFIX}/include/minizip;${VORN_ZLIB_INCLUDE}")
set_property(TARGET Vorn::minizip PROPERTY INTERFACE_LINK_LIBRARIES Vorn::zlib)

find_package(GTest CONFIG REQUIRED PATHS "${VORN_DEPS_PREFIX}" NO_DEFAULT_PATH)

# The runtime files a user's program folder needs beside the programs.
set(VORN_RUNTIME_FILES
  "${VORN_DEPS_BIN}/lua51.dll" "${VORN_DEPS_BIN}/lua51.exe"
  "${VORN_DEPS_BIN}/luac51.exe" "${VORN_DEPS_BIN}/SciLexer.dll")
if(VORN_HAVE_LUA50)
  list(APPEND VORN_RUNTIME_FILES "${VORN_DEPS_BIN}/lua50.dll" "${VORN_DEPS_BIN}/lua.exe")
endif()
