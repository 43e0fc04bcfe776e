#include "framework/resources.h"

#include "framework/form_text.h"

namespace qm {

std::string LoadTextResource(const char* name)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, name, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        throw EFormDescription(std::string("no description resource ") + name);
    return std::string(static_cast<const char*>(data), SizeofResource(module, resource));
}

Bitmap LoadBitmapResource(const std::string& name)
{
    return Bitmap(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

bool HasBitmapResource(const std::string& name)
{
    return FindResourceA(GetModuleHandleA(nullptr), name.c_str(), RT_BITMAP) != nullptr;
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info))
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

} // namespace qm
