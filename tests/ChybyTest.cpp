// Error codes and their message texts, in process: conversion of Win32 codes, the last
// error, the system's texts and the fallbacks for codes the system cannot describe.
#include <gtest/gtest.h>

#include <string>

#include "winlib/Chyby.h"

using Tarnel::WinApi::ErrorInfo;
using Tarnel::WinApi::HresultFromLastError;
using Tarnel::WinApi::HresultFromWin32;

namespace {

// The system's own text of a code, exactly as it hands it out; empty when it has none.
std::wstring SystemText(DWORD code)
{
    wchar_t* buffer = nullptr;
    DWORD len = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                               nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                               reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", len);
    if (buffer) LocalFree(buffer);
    return text;
}

std::wstring TextOf(HRESULT hr)
{
    ErrorInfo info(hr);
    const wchar_t* text = info.ErrorText();
    return text ? text : L"<null>";
}

TEST(ChybyHresult, Win32CodesBecomeFailuresWithTheirLowWord)
{
    EXPECT_EQ(0, HresultFromWin32(0)) << "success stays success";
    EXPECT_EQ(static_cast<HRESULT>(0x80070005), HresultFromWin32(ERROR_ACCESS_DENIED));
    EXPECT_EQ(static_cast<HRESULT>(0x80070002), HresultFromWin32(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(static_cast<HRESULT>(0x80072345), HresultFromWin32(0x12345)) << "only the low 16 bits survive";
    EXPECT_EQ(static_cast<HRESULT>(0x8007FFFF), HresultFromWin32(0x7FFFFFFF));
    // Codes that already read as negative are HRESULTs and pass unchanged.
    EXPECT_EQ(E_NOINTERFACE, HresultFromWin32(static_cast<DWORD>(E_NOINTERFACE)));
    EXPECT_EQ(static_cast<HRESULT>(0xFFFFFFFF), HresultFromWin32(0xFFFFFFFF));
    EXPECT_EQ(static_cast<HRESULT>(0x80000000), HresultFromWin32(0x80000000));
}

TEST(ChybyHresult, LastErrorIsAlwaysAFailure)
{
    SetLastError(0);
    EXPECT_EQ(E_FAIL, HresultFromLastError());
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(static_cast<HRESULT>(0x80070005), HresultFromLastError());
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(static_cast<HRESULT>(0x80070578), HresultFromLastError());
    SetLastError(static_cast<DWORD>(E_OUTOFMEMORY));
    EXPECT_EQ(E_OUTOFMEMORY, HresultFromLastError());
}

TEST(ChybyErrorText, SystemTextLosesOnlyItsTrailingLineBreak)
{
    for (HRESULT hr : {static_cast<HRESULT>(0x80070005), E_FAIL, E_OUTOFMEMORY, E_INVALIDARG, static_cast<HRESULT>(0x80070002)}) {
        SCOPED_TRACE(testing::Message() << std::hex << hr);
        const std::wstring raw = SystemText(static_cast<DWORD>(hr));
        ASSERT_GT(raw.size(), 2u) << "the system has a text for this code";
        std::wstring expected = raw;
        if (expected.back() == L'\n') expected.pop_back();
        if (!expected.empty() && expected.back() == L'\r') expected.pop_back();
        ASSERT_NE(raw, expected) << "the system's text ends in a line break";
        EXPECT_EQ(expected, TextOf(hr));
    }
}

TEST(ChybyErrorText, TextIsBuiltOnceAndCached)
{
    ErrorInfo info(E_ACCESSDENIED);
    EXPECT_EQ(E_ACCESSDENIED, info.Error());
    const wchar_t* first = info.ErrorText();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, info.ErrorText());

    ErrorInfo fallback(static_cast<HRESULT>(0xA0001234));
    const wchar_t* made = fallback.ErrorText();
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(made, fallback.ErrorText());
}

TEST(ChybyErrorText, CodesWithoutSystemTextGetTheFallbacks)
{
    struct Case {
        DWORD hr;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0x80040205, L"IDispatch error #5"},
        {0x80040201, L"IDispatch error #1"},
        {0x8004FFFF, L"IDispatch error #65023"},
        {0x80040200, L"Unknown error 0x80040200"},  // the base itself is outside the range
        {0x80050000, L"Unknown error 0x80050000"},  // just above it
        {0xA0001234, L"Unknown error 0xA0001234"},
        {0xA000ABCD, L"Unknown error 0xA000ABCD"},  // upper-case digits
        {0x00001234, L"Unknown error 0x1234"},      // no leading zeros
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.hr);
        ASSERT_EQ(L"", SystemText(c.hr)) << "the fallback only applies without a system text";
        EXPECT_EQ(c.text, TextOf(static_cast<HRESULT>(c.hr)));
    }
}

} // namespace
