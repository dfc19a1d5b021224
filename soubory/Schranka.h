#pragma once
// Copying to the clipboard: the frame on screen as a picture with its transparency, both as a
// device-independent bitmap with alpha (CF_DIBV5: paint programs) and as PNG (programs that
// take PNG keep the transparency), and the open file itself (CF_HDROP: pasting into a folder
// copies it). The blocks are built by plain functions; the commands put them on the clipboard.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class GifAnimace;

// The CF_DIBV5 block of a picture of straight-alpha 0xAARRGGBB pixels, rows top-down: a
// BITMAPV5HEADER with the alpha mask, then the rows bottom-up. A fully transparent pixel
// carries `podklad`, so that a program that ignores alpha shows what the window shows.
std::vector<uint8_t> BlokDibV5(const std::vector<uint32_t>& pixely, UINT sirka, UINT vyska, COLORREF podklad);
// The picture as a PNG file in memory, alpha kept.
HRESULT BlokPng(const std::vector<uint32_t>& pixely, UINT sirka, UINT vyska, std::string& png);
// The CF_HDROP block naming the one file.
std::vector<uint8_t> BlokSeznamuSouboru(const std::wstring& cesta);

// The model's frame (made active) on the clipboard, owned by the window. S_OK or why not.
HRESULT KopirovatSnimek(HWND vlastnik, GifAnimace& model, UINT snimek);
// The file on the clipboard, to be copied where it is pasted.
HRESULT KopirovatSoubor(HWND vlastnik, const std::wstring& cesta);
// Tells the user, in a box owned by the window, why the clipboard did not take it.
void OznamitChybuSchranky(HWND vlastnik, HRESULT chyba);
