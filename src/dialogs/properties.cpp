#include "dialogs/properties.h"

#include <commctrl.h>
#include <prsht.h>

#include <initializer_list>

#include "dialogs/launch.h"
#include "dialogs/pages.h"
#include "platform/late_library.h"
#include "res/resource.h"
#include "view/draw.h"

namespace {

// The sheet comes with a "?" button that has nothing to show: clearing the
// style bit once the sheet exists takes it away (clearing, not flipping, so
// a sheet made without the bit does not gain the button).
int CALLBACK sheet_callback(HWND sheet, UINT message, LPARAM)
{
    if (message == PSCB_INITIALIZED)
        SetWindowLongPtrW(sheet, GWL_EXSTYLE, GetWindowLongPtrW(sheet, GWL_EXSTYLE) & ~WS_EX_CONTEXTHELP);
    return 0;
}

PROPSHEETPAGEW page(HINSTANCE instance, int dialog, const wchar_t* title, DLGPROC procedure, void* record = nullptr)
{
    PROPSHEETPAGEW description = {};
    description.lParam = reinterpret_cast<LPARAM>(record);
    description.dwSize = sizeof description;
    description.dwFlags = PSP_USETITLE;
    description.hInstance = instance;
    description.pszTemplate = MAKEINTRESOURCEW(dialog);
    description.pszTitle = title;
    description.pfnDlgProc = procedure;
    return description;
}

// We keep no contact addresses and no web page: the fields stay empty and
// the button only works once an address is held in the page.
void open_web_page(HWND page)
{
    wchar_t address[63] = L"";
    GetDlgItemTextW(page, IDC_WEB_ADDRESS, address, 63);
    if (address[0]) launch(page, address, L"");
}

// The sheet's caption icon, loaded once and shared: given its resource
// (PSH_USEICONID) instead, Wine's sheet loads a copy at every opening and
// never destroys it.
HICON sheet_icon(HINSTANCE instance)
{
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

}  // namespace

void keep_page_record(HWND page, LPARAM init_parameter)
{
    SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<const PROPSHEETPAGEW*>(init_parameter)->lParam);
}

void mark_page_changed(HWND page) { SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0); }

bool is_apply(LPARAM lparam) { return reinterpret_cast<const NMHDR*>(lparam)->code == PSN_APPLY; }

INT_PTR applied(HWND page)
{
    SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
}

INT_PTR CALLBACK version_page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: {
        keep_page_record(page, lparam);
        page_record<VersionPageRecord>(page).brushes = make_dialog_brushes();
        for (int id : {IDC_MAIL_1, IDC_MAIL_2, IDC_MAIL_3}) SetDlgItemTextW(page, id, L"");
        EnableWindow(GetDlgItem(page, IDC_OPEN_WEB), GetWindowTextLengthW(GetDlgItem(page, IDC_WEB_ADDRESS)) > 0);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wparam) == IDC_OPEN_WEB) open_web_page(page);
        return TRUE;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetBkMode(dc, TRANSPARENT);
        int id = GetDlgCtrlID(reinterpret_cast<HWND>(lparam));
        const DialogBrushes& brushes = page_record<VersionPageRecord>(page).brushes;
        if (id == IDC_VERSION_LINE) return reinterpret_cast<INT_PTR>(brushes.light_cyan);
        if (id == IDC_PRODUCT_LINE) return reinterpret_cast<INT_PTR>(brushes.light_yellow);
        return FALSE;
    }
    case WM_DESTROY:
        free_dialog_brushes(page_record<VersionPageRecord>(page).brushes);
        return TRUE;
    default: return FALSE;
    }
}

void show_properties(HWND owner, HINSTANCE instance)
{
    ColorsPageRecord colors = {};
    VersionPageRecord version = {};
    PROPSHEETPAGEW pages[] = {
        page(instance, IDD_OPTIONS_PAGE, L"オプション", options_page_procedure),
        page(instance, IDD_COLORS_PAGE, L"表示色", colors_page_procedure, &colors),
        page(instance, IDD_FORMAT_PAGE, L"表示形式", format_page_procedure),
        page(instance, IDD_LIMITS_PAGE, L"収支", limits_page_procedure),
        page(instance, IDD_VERSION_PAGE, L"ﾊﾞｰｼﾞｮﾝ情報", version_page_procedure, &version),
    };
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USEHICON | PSH_USECALLBACK;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.hIcon = sheet_icon(instance);
    header.pszCaption = L"プロパティ";
    header.nPages = sizeof pages / sizeof pages[0];
    header.nStartPage = 0;
    header.ppsp = pages;
    header.pfnCallback = sheet_callback;
    run_property_sheet(&header);
}
