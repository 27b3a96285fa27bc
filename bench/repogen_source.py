"""Source text of a planned application: its modules with resources, classes, methods,
defines and functions, as lists of lines."""

from repogen_words import (NOUNS, MODULE_WORDS, KEYWORD_SPELLINGS, DECL_COMMENTS, BODY_COMMENTS,
                           TEXTS, VALUES, METHOD_NAMES, INIT_PARAMETERS, BODY_BLOCKS, LOCAL_LINES,
                           LOCAL_ORDER)
from repogen_plan import visible_names


class Writer:
    """Renders the plan into module texts, one application at a time."""

    def __init__(self, rng, shape):
        self.rng, self.shape = rng, shape
        self.methods = 0

    # -- modules ---------------------------------------------------------------------------

    def app_modules(self, app):
        """(module name, lines) of every module of app."""
        rng = self.rng
        modules, used = [], set()
        classes, i = app.classes, 0
        while i < len(classes):
            size = rng.randint(5, 20)
            group = classes[i:i + size]
            i += size
            name = self.module_name(group[0], used)
            lines = self.module_header(name, app)
            for cls in group:
                self.class_entities(cls, lines)
            modules.append((name, lines))
        name, lines = self.extra_module(app)
        modules.append((self.unique(name, used), lines))
        return modules

    def module_name(self, cls, used):
        noun = cls.noun or cls.name[:12]
        return self.unique(f"{noun} {MODULE_WORDS[cls.family]}", used)

    def unique(self, name, used):
        """name, or name with a number; unique in used ignoring case, at most 63 characters."""
        name = name[:58]
        candidate, n = name, 2
        while candidate.upper() in used:
            candidate, n = f"{name} {n}", n + 1
        used.add(candidate.upper())
        return candidate

    def module_header(self, name, app):
        rng = self.rng
        if rng.random() < 0.3:
            return []
        return [f"// Module : {name}", f"// Application : {app.name}",
                f"// (c) Brenner Software GmbH {rng.randint(1996, 2004)}, all rights reserved",
                ""]

    def extra_module(self, app):
        """The start module of a program, the defines of a library; icons live there."""
        lines = []
        if app.icon:
            lines += [f"RESOURCE {app.icon} Icon C:\\CAVO25\\ICONS\\{app.prefix}.ICO", ""]
        if app.kind == "program":
            windows = [c.name for c in app.classes if c.family == "window"]
            first = windows[0] if windows else "ShellWindow"
            lines += ["GLOBAL gcAppName := \"" + app.name + "\" AS STRING", "",
                      "METHOD Start() CLASS App", "\tLOCAL oMain AS " + first, "",
                      "\tEnableBorder(BORDER_3D)", f"\toMain := {first}{{}}",
                      "\toMain:Show(SHOWCENTERED)", "\tSELF:Exec()", "\tRETURN NIL", ""]
            return ("Start", lines)
        lines += [f"DEFINE {app.prefix.upper()}_VERSION := \"2.{self.rng.randint(0, 9)}\"",
                  f"DEFINE {app.prefix.upper()}_MAXRETRY := {self.rng.randint(2, 9)}",
                  f"GLOBAL g{app.prefix}Init := FALSE AS LOGIC", "",
                  f"_DLL FUNCTION {app.prefix}GetTickCount() AS DWORD PASCAL:KERNEL32.GetTickCount",
                  "", f"FUNCTION {app.prefix}Version() AS STRING",
                  f"\tRETURN {app.prefix.upper()}_VERSION", "",
                  f"STATIC FUNCTION {app.prefix}Pad(cText AS STRING, nLen AS INT) AS STRING PASCAL",
                  "\tRETURN PadR(cText, nLen)", "",
                  f"STRUCTURE _{app.prefix}Header", "\tMEMBER dwSize AS DWORD",
                  "\tMEMBER DIM abName[32] AS BYTE", ""]
        return ("Defines", lines)

    # -- classes ---------------------------------------------------------------------------

    def class_entities(self, cls, lines):
        rng = self.rng
        if cls.family in ("window", "dialog") and rng.random() < 0.4:
            self.dialog_resource(cls, lines)
        self.class_declaration(cls, lines)
        self.class_methods(cls, lines)

    def dialog_resource(self, cls, lines):
        rng = self.rng
        upper = cls.name.upper()
        controls = [i.name for d in cls.decls for i in d.items if i.name.startswith("oDC")]
        for n, control in enumerate(controls):
            lines.append(f"DEFINE {upper}_{control[3:].upper()} := {100 + n}")
        lines += [f"RESOURCE {cls.name} DIALOGEX  {rng.randint(1, 20)}, {rng.randint(1, 20)}, "
                  f"{rng.randint(150, 400)}, {rng.randint(80, 300)}",
                  "STYLE\tWS_CHILD", 'FONT\t8, "MS Shell Dlg"', "BEGIN"]
        for n, control in enumerate(controls):
            lines.append(f'\tCONTROL\t"", {upper}_{control[3:].upper()}, "Edit", '
                         f"ES_AUTOHSCROLL|WS_TABSTOP|WS_CHILD|WS_BORDER, 60, {10 + 14 * n}, "
                         "120, 12, WS_EX_CLIENTEDGE")
        lines += ["END", ""]

    def class_statement(self, cls):
        rng = self.rng
        keyword, inherit = "CLASS", "INHERIT"
        roll = rng.random()
        if roll < 0.05:
            keyword, inherit = "class", "inherit"
        elif roll < 0.08:
            keyword, inherit = "Class", "Inherit"
        head = f"{keyword} {cls.name}"
        if rng.random() < 0.03:
            head = f"{keyword}\t{cls.name}"
        if not cls.parent_text:
            return [head + (" // root" if rng.random() < 0.2 else "")]
        if cls.parent_text == "INHERIT":
            return [f"{head} {inherit}"]
        roll = rng.random()
        if roll < 0.04:
            return [f"{head} ;", f"\t{inherit} {cls.parent_text}"]
        if roll < 0.10:
            return [f"{head} {inherit} {cls.parent_text}\t// {rng.choice(DECL_COMMENTS)}"]
        return [f"{head} {inherit} {cls.parent_text}"]

    def class_declaration(self, cls, lines):
        rng = self.rng
        lines += self.class_statement(cls)
        indent = "\t" if rng.random() < 0.7 else " " * rng.randint(2, 4)
        user_code = cls.family in ("window", "dialog") and rng.random() < 0.5
        for n, decl in enumerate(cls.decls):
            if user_code and n > 0 and not decl.items[0].name.startswith(("oDC", "oCC")):
                lines.append("//{{%UC%}} USER CODE STARTS HERE (do NOT remove this line)")
                user_code = False
            lines += self.declaration(decl, indent)
            if rng.random() < 0.04:
                lines.append("")
        self.class_extras(cls, indent, lines)
        lines.append("")

    def declaration(self, decl, indent):
        rng = self.rng
        keyword = rng.choice(KEYWORD_SPELLINGS[decl.keyword])
        items = decl.items
        clause = items[0].clause
        if len(items) >= 3 and rng.random() < 0.4:
            cut = rng.randint(1, len(items) - 1)
            first = ", ".join(i.name for i in items[:cut])
            rest = ", ".join(i.name for i in items[cut:])
            tail = "\t// " + rng.choice(DECL_COMMENTS) if rng.random() < 0.2 else ""
            return [f"{indent}{keyword} {first}, ;{tail}", f"{indent}\t{rest}{clause}"]
        text = ", ".join(i.name + i.init for i in items) + clause
        roll = rng.random()
        if roll < 0.12:
            text += "\t// " + rng.choice(DECL_COMMENTS)
        elif roll < 0.15:
            text += "  /* " + rng.choice(DECL_COMMENTS) + " */"
        elif roll < 0.17 and len(items) == 1 and items[0].name[0] == "c" and not items[0].init:
            # Comment markers inside quoted text: the name must survive both.
            text = items[0].name + rng.choice([' := "//"', ' := "/*.*"']) + " AS STRING"
        return [f"{indent}{keyword} {text}"]

    def class_extras(self, cls, indent, lines):
        """Lines that look like declarations to a careless eye but declare nothing visible."""
        rng = self.rng
        if cls.trap:
            name = cls.trap
            if rng.random() < 0.5:
                lines.append(f"{indent}HIDDEN {name} AS USUAL")
            else:
                lines += [f"{indent}/* removed in 2.5:", f"{indent}EXPORT {name}",
                          f"{indent}*/"]
        roll = rng.random()
        if roll < 0.05:
            lines.append(f"{indent}/* EXPORT oOld{rng.choice(NOUNS)} AS OBJECT */")
        elif roll < 0.10:
            lines.append(f"{indent}DECLARE METHOD {rng.choice(METHOD_NAMES[cls.family])}")
        elif roll < 0.12:
            lines.append("END CLASS")

    # -- methods ---------------------------------------------------------------------------

    def class_methods(self, cls, lines):
        rng = self.rng
        count = self.shape.methods if not cls.app.system else self.shape.methods // 2
        visible = visible_names(cls)
        done = set()
        if count > 0:
            self.init_method(cls, visible, lines)
        n = 1
        while n < count:
            if visible and n + 1 < count and rng.random() < 0.3:
                ivar = rng.choice(visible)
                prop = ivar.lstrip("abcdefghijklmnopqrstuvwxyz") or ivar
                if prop.upper() not in done:
                    done.add(prop.upper())
                    self.property_methods(cls, ivar, prop, lines)
                    n += 2
                    continue
            name = rng.choice(METHOD_NAMES[cls.family])
            if name.upper() in done:
                name = f"{name}{n}"
            done.add(name.upper())
            self.plain_method(cls, name, visible, lines)
            n += 1
        self.methods += max(count, 0)

    def method_line(self, keyword, text):
        roll = self.rng.random()
        if roll < 0.03:
            keyword = keyword.lower()
        elif roll < 0.06:
            keyword = keyword.title()
        return f"{keyword} {text}"

    def init_method(self, cls, visible, lines):
        params = INIT_PARAMETERS[cls.family]
        lines.append(self.method_line("METHOD", f"Init({params}) CLASS {cls.name}"))
        locals_, statements = self.body(visible, cls.family, self.shape.statements // 2)
        lines += locals_
        if cls.parent is not None or cls.missing:
            lines.append(f"\tSUPER:Init({params})")
        if cls.family in ("window", "dialog"):
            for name in visible:
                if name.startswith("oDC"):
                    lines.append(f"\tSELF:{name} := SingleLineEdit{{SELF, ResourceID{{"
                                 f"{cls.name.upper()}_{name[3:].upper()}, _GetInst()}}}}")
        lines += statements
        lines += ["\tRETURN SELF", ""]

    def property_methods(self, cls, ivar, prop, lines):
        lines += [self.method_line("ACCESS", f"{prop} CLASS {cls.name}"),
                  f"\tRETURN SELF:{ivar}", "",
                  self.method_line("ASSIGN", f"{prop}(uValue) CLASS {cls.name}"),
                  f"\tSELF:{ivar} := uValue", "\tRETURN uValue", ""]

    def plain_method(self, cls, name, visible, lines):
        params = "oEvent" if name.endswith(("Click", "Change", "Select", "Close")) else ""
        lines.append(self.method_line("METHOD", f"{name}({params}) CLASS {cls.name}"))
        average = self.shape.statements
        locals_, statements = self.body(visible, cls.family,
                                        self.rng.randint(average // 2, average + average // 2))
        lines += locals_
        lines += statements
        lines += ["\tRETURN NIL" if self.rng.random() < 0.5 else "\tRETURN SELF", ""]

    def body(self, visible, family, blocks):
        """The LOCAL lines and the statements of a method body made of blocks blocks."""
        rng = self.rng
        ivars = visible or ["Owner"]
        used, statements = set(), []
        for _ in range(blocks):
            block, needs = rng.choice(BODY_BLOCKS)
            used.update(needs)
            ivar = rng.choice(ivars)
            fill = {"i": ivar, "m": rng.choice(METHOD_NAMES[family]),
                    "v": rng.choice(VALUES.get(ivar[0], ["NIL"])), "t": rng.choice(TEXTS),
                    "f": rng.choice(NOUNS).upper(), "c": rng.choice(BODY_COMMENTS),
                    "n": rng.randint(1, 9)}
            statements += ["\t" + line.format(**fill) for line in block]
        return ["\t" + LOCAL_LINES[name] for name in LOCAL_ORDER if name in used], statements
