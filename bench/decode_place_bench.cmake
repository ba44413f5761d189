# The decode-and-place benchmark writes its camera-sized JPEG with libjpeg and
# places it through the view's run-time.
target_link_libraries(${name} PRIVATE vantrel_view JPEG::JPEG)
