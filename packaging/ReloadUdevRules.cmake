# After the rule was put down in, or taken from, a directory that udev reads on
# this very machine, udev reloads its rules and applies them to the devices
# already plugged in. Staging installs (DESTDIR, packaging, other prefixes)
# are left alone; so is a machine without a running udev.
function(qx9_reload_udev_rules files)
  set(live FALSE)
  foreach(file IN LISTS files)
    get_filename_component(directory "${file}" DIRECTORY)
    if(directory MATCHES "^(/usr)?/lib/udev/rules\\.d$|^/etc/udev/rules\\.d$")
      set(live TRUE)
    endif()
  endforeach()
  find_program(UDEVADM udevadm PATHS /usr/bin /bin /sbin /usr/sbin)
  if(NOT live OR NOT UDEVADM)
    return()
  endif()
  execute_process(COMMAND ${UDEVADM} control --reload RESULT_VARIABLE reloaded
                  OUTPUT_QUIET ERROR_QUIET)
  if(reloaded EQUAL 0)
    execute_process(COMMAND ${UDEVADM} trigger --subsystem-match=hidraw --action=change
                    OUTPUT_QUIET ERROR_QUIET)
    message(STATUS "udev rules reloaded")
  else()
    message(STATUS "udev is not running here: its rules were not reloaded")
  endif()
endfunction()
