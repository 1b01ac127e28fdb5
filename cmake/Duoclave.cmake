# A folder is one library target built from every source file in it, so that adding a file
# never means editing a shared list.
function(duoclave_library name)
  cmake_parse_arguments(ARG "" "" "LIBS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(ex IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${ex})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# Every test_*.cpp of a test folder becomes one GoogleTest executable and one ctest entry,
# run headless.
function(duoclave_tests)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/test_*.cpp)
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support_*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/support_*.h)
  get_filename_component(area ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  # The folder's support files are compiled once, not once per test program.
  set(folder_support "")
  if(support)
    set(folder_support ${area}_testsupport)
    add_library(${folder_support} STATIC ${support})
    set_target_properties(${folder_support} PROPERTIES AUTOMOC OFF)
    target_link_libraries(${folder_support} PUBLIC duoclave_testsupport ${ARG_LIBS} GTest::gtest Qt6::Test)
  endif()
  foreach(src IN LISTS tests)
    get_filename_component(base ${src} NAME_WE)
    set(target ${area}_${base})
    add_executable(${target} ${src})
    # Tests declare no QObject classes of their own; skipping moc halves the build steps.
    set_target_properties(${target} PROPERTIES AUTOMOC OFF)
    target_link_libraries(${target} PRIVATE ${folder_support} duoclave_testsupport ${ARG_LIBS} GTest::gtest Qt6::Test)
    add_dependencies(${target} duoclave-sim)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES
      # Settings of the tests' own, never the user's remembered ports.
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;DUOCLAVE_SIM=$<TARGET_FILE:duoclave-sim>;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config"
      TIMEOUT 300)
  endforeach()
endfunction()

# Every bench_*.cpp of bench/ becomes one Google Benchmark program.
function(duoclave_benchmarks)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB benches CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/bench_*.cpp)
  foreach(src IN LISTS benches)
    get_filename_component(base ${src} NAME_WE)
    add_executable(${base} ${src})
    set_target_properties(${base} PROPERTIES AUTOMOC OFF)
    target_link_libraries(${base} PRIVATE ${ARG_LIBS} benchmark::benchmark)
    target_compile_definitions(${base} PRIVATE DUOCLAVE_SIM="$<TARGET_FILE:duoclave-sim>")
    add_dependencies(${base} duoclave-sim)
  endforeach()
endfunction()

# An installed program: into bin, with its manual page in section 1. The program prints the page
# itself (--help-man) from the table that also gives its --help, so that the two cannot disagree.
find_program(DUOCLAVE_GZIP gzip REQUIRED)
function(duoclave_program target)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${target}.1)
  add_custom_command(OUTPUT ${page} ${page}.gz
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DPAGE=${page} -DGZIP=${DUOCLAVE_GZIP}
            -P ${PROJECT_SOURCE_DIR}/cmake/ManualPage.cmake
    DEPENDS ${target} ${PROJECT_SOURCE_DIR}/cmake/ManualPage.cmake
    COMMENT "Writing the manual page of ${target}"
    VERBATIM)
  add_custom_target(${target}_manual ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  # For the packaging tests, which check every installed program and page.
  set_property(GLOBAL APPEND PROPERTY DUOCLAVE_PROGRAMS ${target})
  set_property(GLOBAL APPEND PROPERTY DUOCLAVE_MANUAL_PAGES ${page})
endfunction()

# The locales that number tests run under besides the C locale. They are compiled at test time
# into the build tree (scripts/locales.sh; no root needed), so the runs below really have that
# locale in the C library, as the toolkit sets it from the environment in a user's session.
set(DUOCLAVE_TEST_LOCALES C.UTF-8 en_US.UTF-8 de_DE.UTF-8 fr_FR.UTF-8)
set(DUOCLAVE_LOCPATH ${CMAKE_BINARY_DIR}/locales)

# Runs each named test program again once per test locale, as "<test>@<locale>". The program
# checks at start that the C library really took the locale (test_main.cpp), so a run never
# passes in the C locale by mistake.
# Call duoclave_locale_generation() once before.
function(duoclave_locale_generation)
  set(generated ${DUOCLAVE_TEST_LOCALES})
  list(REMOVE_ITEM generated C.UTF-8) # the C library has it built in
  add_test(NAME locales_generate
           COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/locales.sh ${DUOCLAVE_LOCPATH} ${generated})
  set_tests_properties(locales_generate PROPERTIES FIXTURES_SETUP locales TIMEOUT 300)
endfunction()

function(duoclave_locale_runs)
  foreach(target IN LISTS ARGN)
    get_test_property(${target} RUN_SERIAL serial)
    foreach(locale IN LISTS DUOCLAVE_TEST_LOCALES)
      add_test(NAME ${target}@${locale} COMMAND ${target})
      set_tests_properties(${target}@${locale} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;DUOCLAVE_SIM=$<TARGET_FILE:duoclave-sim>;LOCPATH=${DUOCLAVE_LOCPATH};LC_ALL=${locale};LANG=${locale};DUOCLAVE_TEST_LOCALE=${locale}"
        FIXTURES_REQUIRED locales
        TIMEOUT 300)
      if(serial)
        set_tests_properties(${target}@${locale} PROPERTIES RUN_SERIAL TRUE)
      endif()
    endforeach()
  endforeach()
endfunction()
