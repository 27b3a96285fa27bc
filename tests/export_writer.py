#!/usr/bin/env python3
"""Writes the IDE's export files from a repository folder, for tests and benchmarks.

    export_writer.py aef|mef|bare SOURCE DEST [PROJECT]

  aef   DEST is SOURCE with every application folder of every project replaced by an
        application export `<application>.aef` in the project folder.
  mef   DEST is SOURCE with every `.prg` module replaced by a module export `<module>.mef`
        beside it.
  bare  DEST is a folder holding the application exports of PROJECT (and its project.ini),
        as a user's export folder does.

Written from docs/export-files.md, on its own, so that the program's reader and this
writer cannot share a misunderstanding. What the folder form says and an export cannot
(`SystemLibrary=yes` on an application not named "System Library") goes into the
project's `SystemLibraries` key; `Icon=` has no place in an export and is lost. Each
module's text is cut at lines that look like entity starts and written as one entity per
piece; where exactly it is cut does not matter, since the reader joins the pieces again.
Each module also gets entities that the reader must drop (a designer entity and one
without a prototype) and records it must skip.
"""
import os
import re
import shutil
import struct
import sys

HEADER, END = 0x0001, 0xFFFF
APPNAME, APPDESC, EXENAME, LIBFLG, DLLFLG, APPBODY, APPOPTIONS = (
    0x0002, 0x000F, 0x000D, 0x000A, 0x000B, 0x010F, 0x0107)
SPATH, UDC, GROUPNAME = 0x0004, 0x0005, 0x0108
MODNAME, MODBODY = 0x0020, 0x010E
ENTNAME, ENTTYPE, ENTDISPNAME, ENTPROTO, ENTSOURCE, ENTCUSTOM, ENTBODY = (
    0x0040, 0x0044, 0x0123, 0x004E, 0x0041, 0x0042, 0x010D)
UNKNOWN = 0x7A7A

KEYWORDS = ('CLASS METHOD ACCESS ASSIGN CONSTRUCTOR DESTRUCTOR PROPERTY EVENT OPERATOR '
            'FUNCTION FUNC PROCEDURE PROC GLOBAL DEFINE TEXTBLOCK RESOURCE STRUCTURE STRUCT '
            'VOSTRUCT UNION _DLL DELEGATE INTERFACE ENUM').split()
MODIFIERS = ('STATIC PUBLIC PRIVATE PROTECTED INTERNAL VIRTUAL OVERRIDE SEALED ABSTRACT NEW '
             'PARTIAL ASYNC EXTERN UNSAFE').split()
START = re.compile(rb'^[ \t]*(?:(?:%s)[ \t]+)*(%s)(?=[ \t(\r\n]|$)' % (
    '|'.join(MODIFIERS).encode(), '|'.join(KEYWORDS).encode()), re.IGNORECASE)


def record(kind, payload=b''):
    return struct.pack('<HI', kind, len(payload)) + payload


def record_text(value):
    return value + b'\0'


def header():
    # The signature text is not known; any text stands in for it.
    return record(HEADER, b'\x80\x02' + b'ivarscan test export\0')


def end():
    return struct.pack('<HI', END, 0)


def read_settings(path):
    """The [section] -> {key: value} of a settings file, first value of a key winning."""
    sections, current = {}, None
    if not os.path.exists(path):
        return sections
    with open(path, 'rb') as f:
        data = f.read()
    if data.startswith(b'\xef\xbb\xbf'):
        data = data[3:]
    for raw in data.replace(b'\r\n', b'\n').split(b'\n'):
        line = raw.strip(b' \t').decode('latin-1')
        if line.startswith('[') and line.endswith(']'):
            current = sections.setdefault(line[1:-1].strip(' \t').lower(), {})
        elif '=' in line and not line.startswith((';', '#')) and current is not None:
            key, value = line.split('=', 1)
            current.setdefault(key.strip(' \t').lower(), value.strip(' \t'))
    return sections


def pieces(source):
    """The module text cut before every line that looks like an entity start."""
    lines = [line + b'\n' for line in source.split(b'\n')]
    lines[-1] = lines[-1][:-1]
    cut = [b'']
    for line in lines:
        if START.match(line) and cut[-1]:
            cut.append(b'')
        cut[-1] += line
    return [piece for piece in cut if piece]


def entity(number, piece):
    first = piece.split(b'\n', 1)[0].rstrip(b'\r').strip(b' \t')
    match = START.match(piece)
    keyword = match.group(1).upper() if match else b''
    name = re.split(rb'[ \t(]+', piece[match.end():].strip(b' \t'))[0] if match else b''
    return (record(ENTNAME, record_text(name or b'Entity%d' % number)) +
            record(ENTTYPE, struct.pack('<h', 3 if keyword == b'CLASS' else 1)) +
            record(ENTPROTO, record_text(first or b'(lines before the first entity)')) +
            record(UNKNOWN, b'\x01\x02\x03') +
            record(ENTSOURCE, record_text(piece)) +
            record(ENTBODY, bytes(37)))


def dropped_entities():
    """Entities the reader must leave out: a designer window and one without a prototype."""
    junk = b'CLASS DroppedByTheReader INHERIT NoSuchParent\r\n  EXPORT nJunk\r\n'
    return (record(ENTNAME, record_text(b'DesignerWindow')) +
            record(ENTTYPE, struct.pack('<h', 10)) +
            record(ENTDISPNAME, record_text(b'Designer Window')) +
            record(ENTPROTO, record_text(b'CLASS DesignerWindow')) +
            record(ENTCUSTOM, b'\x00\xff\x10' * 20) +
            record(ENTSOURCE, record_text(junk)) +
            record(ENTNAME, record_text(b'NoPrototype')) +
            record(ENTTYPE, struct.pack('<h', 1)) +
            record(ENTPROTO, record_text(b' \t\r\n')) +
            record(ENTSOURCE, record_text(junk)))


def module_records(name, source):
    body = record(MODNAME, record_text(name)) + record(MODBODY, bytes(25))
    for number, piece in enumerate(pieces(source)):
        body += entity(number, piece)
    return body + dropped_entities()


def module_files(folder, endings=('.prg',)):
    return sorted(f for f in os.listdir(folder)
                  if f.lower().endswith(endings) and os.path.isfile(os.path.join(folder, f)))


def records_of(data):
    """(type, whole record) of every record after the header, up to the end record."""
    at = 6 + struct.unpack_from('<I', data, 2)[0]
    while struct.unpack_from('<H', data, at)[0] != END:
        length = struct.unpack_from('<I', data, at + 2)[0]
        yield struct.unpack_from('<H', data, at)[0], data[at:at + 6 + length]
        at += 6 + length


def module_text(data, name):
    """The text that the named module of an export file gives, for checking positions: its
    embedded external source, or its kept entities' sources, each ending a line."""
    text, inside, entity, external = b'', False, None, [b'', None]

    def keep(entity):
        kept = entity['proto'].strip(b' \t\r\n') or entity['type'] == 3
        designer = entity['type'] in (10, 11, 12, 13, 14, 15, 16, 17, 30)
        source = entity['source'] or b''
        return source + (b'' if source.endswith(b'\n') else b'\r\n') if (
            kept and not designer and source) else b''

    for kind, whole in records_of(data):
        value = whole[6:].split(b'\0', 1)[0]
        if kind == MODNAME:
            if inside:
                break
            inside = value == name.encode('latin-1')
        elif not inside:
            continue
        elif kind == 0x0022:
            external[0] = value
        elif kind == 0x0101:
            external[1] = value
        elif kind == ENTNAME:
            text += keep(entity) if entity else b''
            entity = {'type': None, 'proto': b'', 'source': None}
        elif entity and kind == ENTTYPE and len(whole) >= 8:
            entity['type'] = struct.unpack_from('<h', whole, 6)[0]
        elif entity and kind == ENTPROTO:
            entity['proto'] = value
        elif entity and kind == ENTSOURCE:
            entity['source'] = value
    text += keep(entity) if entity else b''
    if external[0].strip(b' \t\r\n') and external[1] is not None:
        return external[1]
    return text


def exported_module(name, data):
    """The records of a module export's module, renamed after its file."""
    body, seen = record(MODNAME, record_text(name)), 0
    for kind, whole in records_of(data):
        seen += kind == MODNAME
        if seen == 1 and kind != MODNAME:
            body += whole
    return body


def read(path):
    with open(path, 'rb') as f:
        return f.read()


def kind_records(kind):
    kind = kind.lower()
    if kind == 'library':
        return record(APPBODY, bytes(4) + b'\xff' + bytes(40))
    if kind == 'dll':
        return record(DLLFLG, b'\x01') + record(APPBODY, bytes(45))
    return record(APPBODY, bytes(45))


def application_export(folder, name):
    settings = read_settings(os.path.join(folder, 'application.ini')).get('application', {})
    data = (header() + record(APPNAME, record_text(name.encode('latin-1'))) +
            record(APPDESC, record_text(b'exported for a test')) +
            record(EXENAME, record_text(b'test.exe')) + kind_records(settings.get('kind', '')) +
            record(APPOPTIONS, bytes(76)) + record(UDC, record_text(b'Standard')) +
            record(GROUPNAME, b'\x05\x00group'))
    for entry in settings.get('searchpath', '').split(';'):
        if entry:
            data += record(SPATH, record_text(entry.encode('latin-1')))
    for file in module_files(folder, ('.prg', '.mef')):
        write = exported_module if file.lower().endswith('.mef') else module_records
        data += write(file[:-4].encode('latin-1'), read(os.path.join(folder, file)))
    return data + end()


def applications(project):
    return sorted(f for f in os.listdir(project)
                  if os.path.isfile(os.path.join(project, f, 'application.ini')))


def system_libraries(project):
    names = []
    for app in applications(project):
        settings = read_settings(os.path.join(project, app, 'application.ini'))
        value = settings.get('application', {}).get('systemlibrary', '').lower()
        if value in ('yes', 'true', '1') and app.lower() != 'system library':
            names.append(app)
    return names


def write_project_as_exports(project, destination):
    os.makedirs(destination, exist_ok=True)
    settings = os.path.join(project, 'project.ini')
    data = read(settings) if os.path.exists(settings) else b'[Project]\r\n'
    extra = system_libraries(project)
    if extra:
        data = data.rstrip(b'\r\n') + b'\r\n[Project]\r\nSystemLibraries=' + \
            ';'.join(extra).encode('latin-1') + b'\r\n'
    with open(os.path.join(destination, 'project.ini'), 'wb') as f:
        f.write(data)
    for app in applications(project):
        with open(os.path.join(destination, app + '.aef'), 'wb') as f:
            f.write(application_export(os.path.join(project, app), app))
    for name in os.listdir(project):
        path = os.path.join(project, name)
        if os.path.isfile(path) and name.lower().endswith('.aef'):
            shutil.copyfile(path, os.path.join(destination, name))


def is_project(path):
    return os.path.isfile(os.path.join(path, 'project.ini'))


def write_aef(source, destination):
    os.makedirs(destination)
    for name in sorted(os.listdir(source)):
        path = os.path.join(source, name)
        if is_project(path):
            write_project_as_exports(path, os.path.join(destination, name))
        elif os.path.isfile(path):
            shutil.copyfile(path, os.path.join(destination, name))


def write_mef(source, destination):
    shutil.copytree(source, destination, symlinks=False)
    for folder, _, files in os.walk(destination):
        if 'application.ini' not in files:
            continue
        for file in module_files(folder):
            path = os.path.join(folder, file)
            data = header() + module_records(file[:-4].encode('latin-1'), read(path)) + end()
            os.remove(path)
            with open(path[:-4] + '.mef', 'wb') as f:
                f.write(data)


def main(argv):
    if len(argv) not in (4, 5) or argv[1] not in ('aef', 'mef', 'bare'):
        sys.exit(__doc__)
    form, source, destination = argv[1:4]
    if form == 'aef':
        write_aef(source, destination)
    elif form == 'mef':
        write_mef(source, destination)
    else:
        write_project_as_exports(os.path.join(source, argv[4]), destination)


if __name__ == '__main__':
    main(sys.argv)
