# Writes OUTPUT, a C++ source with the size and SHA-256 of each demonstration
# photo in ALBUM (1001.jpg ... 1009.jpg), so that the program can tell its own
# photos from a user's files of the same names.
#   cmake -DALBUM=<folder> -DOUTPUT=<file.cpp> -P demo_photo_digests.cmake
set(entries "")
foreach(number RANGE 1001 1009)
  set(photo ${ALBUM}/${number}.jpg)
  file(SIZE ${photo} size)
  file(SHA256 ${photo} digest)
  string(APPEND entries "    {\"${number}.jpg\", ${size}u, \"${digest}\"},\n")
endforeach()
file(WRITE ${OUTPUT}.new
  "// Made by resources/demo_photo_digests.cmake from the generated album.\n"
  "#include \"app/demo_photos.h\"\n\n"
  "namespace app {\n\n"
  "std::span<const TDemoPhoto> DemoPhotos() {\n"
  "  static const TDemoPhoto kPhotos[] = {\n${entries}  };\n"
  "  return kPhotos;\n"
  "}\n\n"
  "}  // namespace app\n")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
