# The export benchmark writes its photos as JPEG files and runs the export.
target_link_libraries(${name} PRIVATE vantrel_export JPEG::JPEG)
