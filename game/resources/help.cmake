# The help file, shown by the device's help viewer, lies beside it in the device's \Windows folder.
set(TESSAMO_HELP_FILE ${CMAKE_CURRENT_LIST_DIR}/help/VevivoZozoruv.htm)
configure_file(${TESSAMO_HELP_FILE} ${TESSAMO_DEVICE_DIR}/Windows/VevivoZozoruv.htm COPYONLY)
install(FILES ${TESSAMO_HELP_FILE} DESTINATION share/korvel-tessamo/device/Windows)
