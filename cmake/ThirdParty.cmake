# Third-party libraries, built by scripts/thirdparty.sh from Debian's source packages into a
# cache outside the clone. test.sh and run.sh pass the cache folders as PANTREL_*_ROOT.
set(PANTREL_JPEG_ROOT "" CACHE PATH "libjpeg-turbo install prefixes (one folder per triplet)")
set(PANTREL_SQLITE_ROOT "" CACHE PATH "folder holding the generated sqlite3.c and sqlite3.h")
set(PANTREL_GTEST_ROOT "" CACHE PATH "GoogleTest install prefixes (one folder per triplet)")

# SQLite: the amalgamation compiled into our build, without our warning flags.
if(PANTREL_SQLITE_ROOT)
  add_library(pantrel_sqlite STATIC ${PANTREL_SQLITE_ROOT}/sqlite3.c)
  target_include_directories(pantrel_sqlite SYSTEM PUBLIC ${PANTREL_SQLITE_ROOT})
  target_compile_definitions(pantrel_sqlite PRIVATE SQLITE_THREADSAFE=0 SQLITE_OMIT_LOAD_EXTENSION
    SQLITE_DEFAULT_FOREIGN_KEYS=0 SQLITE_DQS=0)
  target_compile_options(pantrel_sqlite PRIVATE -w)
  if(PANTREL_FUZZ OR PANTREL_SANITIZE)
    # Sanitizing the engine itself only slows the tests down.
    target_compile_options(pantrel_sqlite PRIVATE -fno-sanitize=all)
  endif()
  add_library(pantrel::sqlite ALIAS pantrel_sqlite)
endif()

# JPEG decoding: libjpeg-turbo for the Windows targets, the system's libjpeg natively.
if(PANTREL_WINDOWS AND PANTREL_JPEG_ROOT)
  set(_jpeg ${PANTREL_JPEG_ROOT}/${PANTREL_TRIPLET})
  add_library(pantrel::jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(pantrel::jpeg PROPERTIES IMPORTED_LOCATION ${_jpeg}/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${_jpeg}/include)
elseif(PANTREL_NATIVE)
  find_package(JPEG)
  if(JPEG_FOUND)
    add_library(pantrel::jpeg INTERFACE IMPORTED GLOBAL)
    target_link_libraries(pantrel::jpeg INTERFACE JPEG::JPEG)
  endif()
endif()

if(PANTREL_TESTS)
  if(PANTREL_WINDOWS)
    set(GTest_DIR ${PANTREL_GTEST_ROOT}/${PANTREL_TRIPLET}/lib/cmake/GTest)
    find_package(GTest CONFIG REQUIRED)
    # ctest runs Windows test programs under Wine.
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()
enable_testing()
