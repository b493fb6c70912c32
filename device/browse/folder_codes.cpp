#include "folder_codes.h"

// Paths are shown as they stand, without any escaping.
const SpecialFolder kSpecialFolders[kSpecialFolderCount] = {
    {kCodeDesktop, L"", {L"Desktop", L"ﾃﾞｽｸﾄｯﾌﾟ"}, 2},
    {kCodeMyDevice, L"\\", {L"My Device", L"ﾏｲ ﾃﾞﾊﾞｲｽ"}, 3},
    {kCodeMyNetwork, L"\\\\", {L"My Network", L"ﾏｲ ﾈｯﾄﾜｰｸ"}, 4},
    {kCodeControlPanel, L"\\*CONTROLS", {L"Control Panel", L"ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ"}, 9},
    {kCodeDatabase, L"\\*DATABASES", {L"Database", L"ﾃﾞｰﾀﾍﾞｰｽ"}, 8},
    {kCodeMyDocuments, L"\\My Documents", {L"My Documents", L"ﾏｲ ﾄﾞｷｭﾒﾝﾄ"}, 5},
    {kCodeTrashBox, L"\\Recycled", {L"Trash Box", L"ごみ箱"}, 10},
    {kCodeFindResult, L"*RESULT", {L"Find Result", L"検索結果"}, 11},
};
