# The udev rule for the QX9 mouse and dongle, with the USB ids read from the
# device contract header, so that the code and the rule can never disagree.
#   In the build:  include() this file, then qx9_write_udev_rule(OUTPUT).
#   Alone:         cmake -DOUTPUT=70-qx9-config.rules -P packaging/UdevRule.cmake
set(QX9_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

# Sets QX9_<name> (lower-case hex, as udev prints it) and QX9_<name>_UPPER (as
# USB modaliases spell it) for VendorId, WiredProductId and DongleProductId.
function(qx9_read_usb_ids)
  file(READ ${QX9_PACKAGING_DIR}/../device/DeviceContract.h contract)
  foreach(name VendorId WiredProductId DongleProductId)
    if(NOT contract MATCHES "std::uint16_t ${name} = 0x([0-9A-Fa-f]+);")
      message(FATAL_ERROR "${name} not found in DeviceContract.h")
    endif()
    string(TOLOWER "${CMAKE_MATCH_1}" lower)
    string(TOUPPER "${CMAKE_MATCH_1}" upper)
    set(QX9_${name} ${lower} PARENT_SCOPE)
    set(QX9_${name}_UPPER ${upper} PARENT_SCOPE)
  endforeach()
endfunction()

function(qx9_write_udev_rule output)
  qx9_read_usb_ids()
  configure_file(${QX9_PACKAGING_DIR}/70-qx9-config.rules.in ${output} @ONLY)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  if(NOT OUTPUT)
    message(FATAL_ERROR "usage: cmake -DOUTPUT=FILE -P ${CMAKE_CURRENT_LIST_FILE}")
  endif()
  qx9_write_udev_rule(${OUTPUT})
endif()
