// Writes a small ZIP archive with minizip: one stored folder entry path and one
// deflated file. The test script reads it back with the system's unzip.
#include <zip.h>
#include <cstring>
#include <cstdio>

static bool AddFile(zipFile zf, const char* name, const char* data)
{
    zip_fileinfo info;
    std::memset(&info, 0, sizeof(info));
    if (zipOpenNewFileInZip(zf, name, &info, NULL, 0, NULL, 0, NULL, Z_DEFLATED,
                            Z_DEFAULT_COMPRESSION) != ZIP_OK)
        return false;
    bool ok = zipWriteInFileInZip(zf, data, (unsigned)std::strlen(data)) == ZIP_OK;
    return zipCloseFileInZip(zf) == ZIP_OK && ok;
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    zipFile zf = zipOpen(argv[1], APPEND_STATUS_CREATE);
    if (!zf)
        return 3;
    bool ok = AddFile(zf, "dir/hello.lua", "print('hello')\n")
           && AddFile(zf, "readme.txt", "Vorn archive test\n");
    if (zipClose(zf, NULL) != ZIP_OK || !ok)
        return 4;
    std::puts("archive written");
    return 0;
}
