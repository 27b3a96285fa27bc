"""Names, words and source templates from which the repository generator builds its
applications, classes and method bodies."""

SYSTEM_LIBRARY = "System Library"

APP_NAMES = [
    "Sales", "Order Entry", "Stock Control", "Purchasing", "Invoicing", "Payroll",
    "General Ledger", "Accounts Payable", "Accounts Receivable", "Fixed Assets", "Cash Book",
    "Customer Service", "Field Service", "Fleet", "Workshop", "Production Planning",
    "Quality Control", "Warehouse", "Shipping", "Returns", "Price Lists", "Commission",
    "Time Recording", "Personnel", "Training", "Recruiting", "Budgeting", "Cost Centres",
    "Project Control", "Contracts", "Rentals", "Maintenance", "Helpdesk", "Mailings",
    "Marketing", "Statistics", "Reporting", "Archive Viewer", "Data Import", "Data Export",
    "Setup Wizard", "User Admin", "Barcode Labels", "Point of Sale", "Web Orders",
]

LIBRARY_NAMES = [
    "Common Library", "Data Layer", "Windows Kit", "Report Engine", "Base Tools",
    "Print Services", "Mail Services", "Grid Controls",
]

NOUNS = [
    "Customer", "Order", "Invoice", "Article", "Stock", "Supplier", "Payment", "Account",
    "Ledger", "Employee", "Contract", "Delivery", "Shipment", "Price", "Discount", "Tax",
    "Currency", "Address", "Contact", "Project", "Task", "Timesheet", "Vehicle", "Route",
    "Warehouse", "Location", "Batch", "Product", "Category", "Unit", "Budget", "Cost",
    "Asset", "Claim", "Booking", "Ticket", "Member", "Fee", "Course", "Document", "Letter",
    "Note", "Journal", "Voucher", "Receipt", "Bank", "Transfer", "Salary", "Holiday",
    "Machine", "Repair", "Part", "Tool", "Label", "Barcode", "Terminal", "User", "Login",
    "Setting", "Option", "Audit", "Backup", "Search", "Filter", "Chart", "Summary",
    "Period", "Calendar", "Region", "Branch", "Agent", "Quote", "Reminder", "Dunning",
    "Credit", "Debit", "Balance", "Rate", "Volume", "Weight", "Package", "Pallet", "Carrier",
]

ATTRIBUTES = [
    "Name", "Code", "Id", "No", "Date", "Total", "Count", "Text", "Title", "Status", "Type",
    "Mode", "Flag", "Key", "Value", "List", "Cache", "Rec", "Index", "Limit", "Owner",
    "Caption", "Filter", "Order", "Range", "Start", "End", "Width", "Height", "Color",
]

FAMILIES = ["window", "dialog", "control", "server", "report", "helper"]
FAMILY_WEIGHTS = [25, 10, 10, 20, 10, 25]

ROLES = {
    "window": ["Window", "Browser", "Shell", "Form", "View", "Editor", "Explorer"],
    "dialog": ["Dialog", "Dlg", "Prompt", "Wizard", "Picker", "Selector"],
    "control": ["Edit", "Button", "Lookup", "Combo", "Grid", "Label", "Tree"],
    "server": ["Server", "Table", "DB", "Query", "Cursor", "Store"],
    "report": ["Report", "Print", "Listing", "Export"],
    "helper": ["Helper", "Manager", "Cache", "Parser", "Calculator", "Formatter",
               "Validator", "Builder", "Queue", "Settings"],
}

MODULE_WORDS = {
    "window": "Windows", "dialog": "Dialogs", "control": "Controls", "server": "Servers",
    "report": "Reports", "helper": "Classes",
}

# The System Library's own hierarchy: (class, parent, family). Extra system classes that a
# shape asks for are generated on top of these.
SYSTEM_NOUNS = [
    "List", "Tree", "Tab", "Split", "Tool", "Status", "Print", "Header", "Spin", "Slider",
    "Progress", "Date", "Month", "Rich", "Ole", "Dde", "Clip", "Drag", "Image", "Scroll",
    "Shape", "Owner", "Sql", "Rdd", "Index", "Cursor", "Accelerator", "Timer", "Font",
]

SYSTEM_HIERARCHY = [
    ("VObject", "", "helper"), ("Window", "VObject", "window"),
    ("AppWindow", "Window", "window"), ("TopAppWindow", "AppWindow", "window"),
    ("ShellWindow", "AppWindow", "window"), ("ChildAppWindow", "AppWindow", "window"),
    ("DataWindow", "ChildAppWindow", "window"), ("DialogWindow", "Window", "dialog"),
    ("DataDialog", "DataWindow", "dialog"), ("Control", "VObject", "control"),
    ("TextControl", "Control", "control"), ("Edit", "TextControl", "control"),
    ("SingleLineEdit", "Edit", "control"), ("MultiLineEdit", "Edit", "control"),
    ("Button", "TextControl", "control"), ("PushButton", "Button", "control"),
    ("CheckBox", "Button", "control"), ("RadioButton", "Button", "control"),
    ("BaseListBox", "TextControl", "control"), ("ListBox", "BaseListBox", "control"),
    ("ComboBox", "BaseListBox", "control"), ("FixedText", "TextControl", "control"),
    ("DataBrowser", "Control", "control"), ("DataServer", "VObject", "server"),
    ("DBServer", "DataServer", "server"), ("SQLSelect", "DataServer", "server"),
    ("SQLTable", "SQLSelect", "server"), ("ReportQueue", "VObject", "report"),
    ("PrintingDevice", "VObject", "report"), ("FieldSpec", "", "helper"),
    ("HyperLabel", "", "helper"), ("DataColumn", "VObject", "helper"),
    ("Menu", "VObject", "helper"), ("Font", "VObject", "helper"),
    ("Brush", "VObject", "helper"), ("Pen", "VObject", "helper"),
    ("Pointer", "VObject", "helper"), ("Bitmap", "VObject", "helper"),
    ("AbstractApp", "", "helper"), ("App", "AbstractApp", "helper"),
]

CONTROL_TYPES = ["SINGLELINEEDIT", "PUSHBUTTON", "FIXEDTEXT", "CHECKBOX", "COMBOBOX",
                 "LISTBOX", "MULTILINEEDIT", "RADIOBUTTONGROUP", "DATABROWSER"]

# Hungarian prefix, type clause choices, initial value choices ("" = none).
VAR_KINDS = [
    ("c", [" AS STRING", " as string", ""], ["", "", ' := ""', " := NULL_STRING"]),
    ("n", [" AS INT", " AS LONG", " AS FLOAT", " AS DWORD", ""], ["", "", " := 0", " := 1"]),
    ("l", [" AS LOGIC", " AS LOGIC", ""], ["", " := FALSE", " := TRUE"]),
    ("d", [" AS DATE", ""], ["", " := NULL_DATE"]),
    ("a", [" AS ARRAY", ""], ["", " := {}", " := ArrayNew(10)"]),
    ("o", [" AS OBJECT", " AS DBServer", " AS DataBrowser", " AS USUAL", ""],
     ["", " := NULL_OBJECT"]),
    ("u", [" AS USUAL", ""], ["", " := NIL"]),
    ("sym", [" AS SYMBOL", ""], ["", " := #NULL"]),
    ("p", [" AS PTR"], ["", " := NULL_PTR"]),
    ("str", [" IS _winRECT", " IS _winPOINT", " IS _winSIZE"], [""]),
]

KEYWORD_SPELLINGS = {
    "EXPORT": ["EXPORT"] * 16 + ["Export", "export", "EXPO"],
    "PROTECT": ["PROTECT"] * 16 + ["Protect", "protect", "PROT"],
    "INSTANCE": ["INSTANCE"] * 16 + ["Instance", "instance", "INST"],
    "HIDDEN": ["HIDDEN"] * 8 + ["Hidden", "hidden"],
}

# Comments that may sit in class declarations: no apostrophes and no comment markers, so that
# a block comment around them always ends where it seems to.
DECL_COMMENTS = [
    "set in PostInit", "see the data dictionary", "Änderung 12.03.2001", "cached value",
    "used by the report", "filled on demand", "für die Statistik", "do NOT rename",
    "kept for compatibility with 1.0", "obsolete, still read by the export", "in 1/100 mm",
]

BODY_COMMENTS = [
    "Prüfung der Eingabe", "sicherstellen, daß der Satz gesperrt ist", "TODO: ask Jürgen",
    "fix for 2.5", "don't refresh twice", "keep in sync with the report",
    "workaround: the server loses its order after a Skip", "see call 4711",
    "the customer wants this in red", "Größe in Pixel", "why? nobody knows anymore",
]

TEXTS = ["Order", "Kunde", "Please wait", "Änderungen speichern?", "Not found", "Error",
         "Zugriff verweigert", "Select a record", "Saved", "Druck läuft"]

# Values to assign, by the first letter of the variable's name.
VALUES = {"c": ['""', "NULL_STRING", '"?"'], "n": ["0", "1", "-1"], "l": ["FALSE", "TRUE"],
          "a": ["{}"], "d": ["Today()", "NULL_DATE"], "o": ["NULL_OBJECT"], "p": ["NULL_PTR"]}

METHOD_NAMES = {
    "window": ["PostInit", "Close", "OKButton", "CancelButton", "ButtonClick", "EditChange",
               "ListBoxSelect", "Show", "Refresh", "Dispatch", "Resize", "QueryClose",
               "PrintButton", "HelpRequest", "ViewForm", "ViewTable", "FocusChange"],
    "dialog": ["PostInit", "OKButton", "CancelButton", "ButtonClick", "EditChange", "Show",
               "Validate", "HelpRequest", "Notify"],
    "control": ["Create", "Destroy", "Dispatch", "FocusChange", "KeyDown", "SetStyle",
                "Redraw", "TextValue", "Clear"],
    "server": ["Seek", "Append", "Delete", "Commit", "Reindex", "Locate", "SetFilter",
               "Rollback", "SetOrder", "Lock", "Unlock", "Notify"],
    "report": ["Print", "Preview", "Header", "Footer", "Detail", "NewPage", "Setup"],
    "helper": ["Calculate", "Format", "Parse", "Validate", "Reset", "Load", "Save", "Add",
               "Remove", "Find", "Count", "Clear"],
}

INIT_PARAMETERS = {
    "window": "oWindow, iCtlID, oServer, uExtra", "dialog": "oParent, uExtra",
    "control": "oOwner, xID, oPoint, oDimension, kStyle", "server": "cDBF, lShare, lRO, xDriver",
    "report": "oOwner, cTitle", "helper": "",
}

# Statement blocks of method bodies: lines, then the locals they need. Placeholders: {i} an
# instance variable, {m} a method, {l} the local value, {v} a value, {t} a text, {c} a
# comment, {n} a number, {f} a field.
BODY_BLOCKS = [
    (["IF SELF:{i} == NIL", "\tSELF:{i} := {v}", "ENDIF"], ()),
    (["SELF:{i} := uValue"], ("uValue",)),
    (["uValue := SELF:{i}"], ("uValue",)),
    (["// {c}"], ()),
    (["IF !Empty(SELF:{i})", "\tSELF:{m}()", "ENDIF"], ()),
    (["FOR nI := 1 UPTO ALen(aItems)", "\tIF aItems[nI] == NIL", "\t\tLOOP", "\tENDIF",
      "\tAAdd(aResult, aItems[nI])", "NEXT"], ("nI", "aItems")),
    (["DO CASE", "CASE nMode == {n}", "\tSELF:{m}()", "CASE nMode > {n}",
      "\tSELF:{i} := {v}", "OTHERWISE", "\tuValue := NIL", "ENDCASE"], ("nMode", "uValue")),
    (["BEGIN SEQUENCE", "\tSELF:{m}()", "RECOVER USING oError",
      "\tErrorBox{{SELF, oError:Description}}:Show()", "END SEQUENCE"], ("oError",)),
    (['TextBox{{SELF, "{t}", "{c}"}}:Show()'], ()),
    (['cUrl := "http://intranet/help/{t}.htm"  // opened by the help button'], ("cUrl",)),
    (["/* disabled: it didn't work with the new driver", "SELF:{m}()", "SELF:{i} := {v}",
      "*/"], ()),
    (['? "{t}:", SELF:{i}'], ()),
    (["SELF:{i} := {v}  // {c}"], ()),
    (["DO WHILE !oServer:EOF", "\tuValue := oServer:FIELDGET(#{f})", "\toServer:Skip()",
      "ENDDO"], ("oServer", "uValue")),
    (["IF nMode < {n} .AND. SELF:{i} != NIL", "\tRETURN SELF", "ENDIF"], ("nMode",)),
    (["aItems := {{SELF:{i}, {n}, \"{t}\"}}"], ("aItems",)),
]

LOCAL_LINES = {
    "nI": "LOCAL nI AS INT", "aItems": "LOCAL aItems := {}, aResult := {} AS ARRAY",
    "nMode": "LOCAL nMode := 0 AS INT", "uValue": "LOCAL uValue AS USUAL",
    "oError": "LOCAL oError AS USUAL", "cUrl": "LOCAL cUrl AS STRING",
    "oServer": "LOCAL oServer AS DBServer",
}
LOCAL_ORDER = ["nI", "aItems", "nMode", "uValue", "oError", "cUrl", "oServer"]
