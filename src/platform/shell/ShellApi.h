#pragma once
// ShellExecute with the Windows name and numbers, for the skinned controls that open a link or a
// file. The least of it: the verbs "open" (or none) on one file or URL, handed to the desktop's
// opener. Parameters and other verbs are not supported; the show command is ignored because the
// desktop decides how the opened application appears.

#include "platform/ui/UserTypes.h"

// Results of ShellExecute: a value above 32 (as an HINSTANCE) means success.
constexpr int SE_ERR_FNF = 2; // the file, or the opener, was not found
constexpr int SE_ERR_PNF = 3; // the working directory was not found
constexpr int SE_ERR_ACCESSDENIED = 5;
constexpr int SE_ERR_OOM = 8;
constexpr int ERROR_BAD_FORMAT = 11; // the opener is not a program that can run
constexpr int SE_ERR_NOASSOC = 31;   // a verb or parameters this platform cannot carry out

HINSTANCE ShellExecute(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                       int nShowCmd);
