# The Windows build's tests, run under Wine on the X display of the test
# command (scripts/windows.sh), included from tests/CMakeLists.txt. The test
# programs above run there case by case, as on Linux.
#
# Labels: "whole" runs a test program once with all its cases, "subset" is
# what `windows.sh --subset` runs (the test command's share); the whole
# suite is everything but "whole".

set(LF_LINUX_GAME "" CACHE FILEPATH "The Linux build's game, whose pictures the Windows build's must match")

# A test that cannot run in this build says why and is counted as skipped.
function(lf_skip_on_windows name reason)
    add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E echo "skipped on Windows: ${reason}")
    set_tests_properties(${name} PROPERTIES SKIP_REGULAR_EXPRESSION "skipped on Windows")
endfunction()

# Each test program once. These cases count on a process of their own, as
# every case has in the suite, and are left out of the whole runs: they find
# what the cases before them left (a quit request, a current context).
set(lf_own_process_engine_tests Window.SetRenderContextSelectsTheWindowAndItsDrawable)
set(lf_own_process_game_tests
    Game.EscapeQuitsAfterTheFrameCompletes Game.ClosingTheWindowEndsTheLoop Game.FrameWithoutATickIsStillDrawn
    Game.NewTargetsNeverLandOnTheFirstHalfOfTheFirstCable)
get_property(lf_targets DIRECTORY PROPERTY BUILDSYSTEM_TARGETS)
foreach(target IN LISTS lf_targets)
    if(NOT target MATCHES "_tests$")
        continue()
    endif()
    set(filter "")
    if(lf_own_process_${target})
        list(JOIN lf_own_process_${target} ":" filter)
        set(filter "--gtest_filter=-${filter}")
    endif()
    add_test(NAME Whole.${target} COMMAND ${target} ${filter})
    set_tests_properties(Whole.${target} PROPERTIES LABELS "whole;subset" TIMEOUT 900)
endforeach()

# The demo recording replayed by this build and by the Linux build: the same
# pictures, byte for byte.
if(LF_LINUX_GAME)
    add_test(NAME WindowsReplayMatchesLinux
        COMMAND env ${LF_TEST_ENV} ${CMAKE_CURRENT_SOURCE_DIR}/windows_replay.sh
            $<TARGET_FILE:windcart> ${LF_LINUX_GAME} ${PROJECT_SOURCE_DIR}/demo/windcart.lfrec)
    set_tests_properties(WindowsReplayMatchesLinux PROPERTIES LABELS subset TIMEOUT 600 RUN_SERIAL TRUE)
else()
    lf_skip_on_windows(WindowsReplayMatchesLinux "no Linux build to compare with (LF_LINUX_GAME)")
endif()

# The zips: the game started from its unpacked folder, the SDK's consumer
# built through find_package and pkg-config and run.
add_test(NAME WindowsPackages
    COMMAND env ${LF_TEST_ENV} ${CMAKE_CURRENT_SOURCE_DIR}/windows_packages.sh ${CMAKE_BINARY_DIR} ${PROJECT_VERSION}
        ${CMAKE_CURRENT_SOURCE_DIR}/consumer ${CMAKE_TOOLCHAIN_FILE} ${PROJECT_SOURCE_DIR}/demo/windcart.lfrec)
set_tests_properties(WindowsPackages PROPERTIES LABELS subset TIMEOUT 900 RUN_SERIAL TRUE)

# Every example started under Wine: it draws, and Escape ends it.
if(LF_BUILD_EXAMPLES)
    add_test(NAME WindowsExamples
        COMMAND env ${LF_TEST_ENV} ${CMAKE_CURRENT_SOURCE_DIR}/windows_examples.sh
            $<TARGET_FILE:example_shapes> $<TARGET_FILE:example_sprites> $<TARGET_FILE:example_text>
            $<TARGET_FILE:example_sound> $<TARGET_FILE:example_input> $<TARGET_FILE:example_render_target>
            $<TARGET_FILE:example_logic_loop> $<TARGET_FILE:example_caches>)
    set_tests_properties(WindowsExamples PROPERTIES LABELS subset TIMEOUT 600 RUN_SERIAL TRUE)
endif()

# Linux's own.
set(lf_x11 "drives the game and the examples through X11 (xdotool, xwininfo) as Linux programs")
foreach(name GameEndToEnd GameReplayEndToEnd InputReplayEndToEnd)
    lf_skip_on_windows(${name} "${lf_x11}")
endforeach()
lf_skip_on_windows(GameStartFailures "copies and starts the Linux game; WindowsPackages starts the Windows one without its data")
foreach(name InstallStatic InstallShared ConsumerStatic ConsumerShared PackageRefusals InstalledGame
             ExamplesAgainstInstall DebianPackages)
    lf_skip_on_windows(${name} "a Linux delivery test (staging prefixes, ELF libraries, Debian packages); WindowsPackages is Windows' own")
endforeach()
lf_skip_on_windows(FuzzReplay "libFuzzer is the host's clang's; the reader it drives is the same code in both builds")
foreach(name shapes sprites text sound input render_target logic_loop caches)
    lf_skip_on_windows(Example.${name} "checks pixels of the Linux program through X11 tools; WindowsExamples starts it")
endforeach()
