# tessamo-cli render paints through the card table view and writes PNG files with Qt.
target_link_libraries(tessamo-cli PRIVATE tessamo_view)
