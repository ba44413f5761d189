# The decode-and-place benchmark writes its camera-sized JPEG with libjpeg and
# places it through the view's run-time; the program's preload decodes it
# ahead on a worker thread.
target_link_libraries(${name} PRIVATE vantrel_app vantrel_view JPEG::JPEG)
