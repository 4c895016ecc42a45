"""A small Sphinx extension that lets CMake's reStructuredText help (shipped
in Debian's cmake-data) build with the htmlhelp builder.

CMake's own extension is not shipped with the help sources. This one gives
the same shape of output that matters to a help project: every page of an
object folder (command/, variable/, prop_tgt/, ...) is an object with an
anchor "<kind>:<title>" and a pair of index entries ("command; add_library"),
the `cmake-module` directive takes the reStructuredText block out of a
module file, and the cross-reference roles link to those objects.
"""

import re

from docutils import nodes
from docutils.parsers.rst import Directive
from docutils.transforms import Transform
from sphinx import addnodes
from sphinx.directives import ObjectDescription
from sphinx.domains import Domain, ObjType
from sphinx.roles import XRefRole
from sphinx.util.nodes import make_refnode

# The folders whose pages are objects, with the word their index entries use.
OBJECT_FOLDERS = {
    'command': 'command', 'cpack_gen': 'cpack generator', 'envvar': 'envvar',
    'generator': 'generator', 'genex': 'genex', 'guide': 'guide', 'manual': 'manual',
    'module': 'module', 'policy': 'policy', 'prop_cache': 'cache property',
    'prop_dir': 'directory property', 'prop_gbl': 'global property',
    'prop_inst': 'installed file property', 'prop_sf': 'source file property',
    'prop_test': 'test property', 'prop_tgt': 'target property', 'variable': 'variable',
}

GENEX = re.compile(r'^\$<([^<>:]+)(:[^<>]*)?>$')
EXPLICIT = re.compile(r'^(.*?)\s*<(.+)>$', re.S)


class CMakeModule(Directive):
    """Includes the reStructuredText comment block of a .cmake module."""
    required_arguments = 1
    final_argument_whitespace = True

    def run(self):
        env = self.state.document.settings.env
        rel, path = env.relfn2path(self.arguments[0])
        env.note_dependency(rel)
        with open(path, encoding='utf-8') as f:
            text = f.read()
        lines = []
        block = re.search(r'#\[(=*)\[\.rst:\n(.*?)#?\]\1\]', text, re.S)
        if block:
            lines = block.group(2).splitlines()
        else:
            taking = False
            for line in text.splitlines():
                if line.startswith('#.rst:'):
                    taking = True
                elif taking and line.startswith('#'):
                    lines.append(line[2:] if line.startswith('# ') else line[1:])
                elif taking:
                    break
        self.state_machine.insert_input(lines, path)
        return []


class CMakeObject(ObjectDescription):
    """An object described inside a page (`.. variable::`, `.. genex::`)."""

    def handle_signature(self, sig, signode):
        signode += addnodes.desc_name(sig, sig)
        m = GENEX.match(sig) if self.objtype == 'genex' else None
        return m.group(1) if m else sig

    def add_target_and_index(self, name, sig, signode):
        targetid = '%s:%s' % (self.objtype, name)
        if targetid not in self.state.document.ids:
            signode['ids'].append(targetid)
            self.state.document.note_explicit_target(signode)
        objects = self.env.domaindata['cmake']['objects']
        objects[(self.objtype, name)] = (self.env.docname, targetid)
        self.indexnode['entries'].append(
            ('pair', '%s; %s' % (OBJECT_FOLDERS[self.objtype], name), targetid, 'main', None))


class CMakePageObjects(Transform):
    """Makes every page of an object folder an object with an index pair."""
    default_priority = 210

    def apply(self):
        env = self.document.settings.env
        kind, _, tail = env.docname.partition('/')
        if kind not in OBJECT_FOLDERS or not tail:
            return
        title = None
        for section in self.document.traverse(nodes.title):
            title = section.astext()
            break
        if title is None:
            return
        if kind == 'genex':
            m = GENEX.match(title)
            if m:
                title = m.group(1)
        name = title.lower() if kind == 'command' else (tail if kind == 'guide' else title)
        targetid = '%s:%s' % (kind, name)
        target = nodes.target('', '', ids=[targetid])
        self.document.note_explicit_target(target)
        self.document.insert(0, target)
        index = addnodes.index()
        index['entries'] = [('pair', '%s; %s' % (OBJECT_FOLDERS[kind], title), targetid,
                             'main', None)]
        self.document.insert(0, index)
        env.domaindata['cmake']['objects'][(kind, name)] = (env.docname, targetid)


class CMakeXRefRole(XRefRole):
    def process_link(self, env, refnode, has_explicit_title, title, target):
        m = EXPLICIT.match(target)
        if m and not has_explicit_title:
            title, target = m.group(1), m.group(2)
        if refnode['reftype'] == 'command':
            target = target.lower().rstrip('()')
        if refnode['reftype'] == 'genex':
            g = GENEX.match(target)
            if g:
                target = g.group(1)
        return title, target


class CMakeDomain(Domain):
    name = 'cmake'
    label = 'CMake'
    object_types = {kind: ObjType(kind, kind) for kind in OBJECT_FOLDERS}
    directives = {'command': CMakeObject, 'envvar': CMakeObject, 'genex': CMakeObject,
                  'variable': CMakeObject}
    roles = {kind: CMakeXRefRole() for kind in OBJECT_FOLDERS}
    initial_data = {'objects': {}}

    def clear_doc(self, docname):
        objects = self.data['objects']
        for key, (doc, _) in list(objects.items()):
            if doc == docname:
                del objects[key]

    def merge_domaindata(self, docnames, otherdata):
        for key, value in otherdata['objects'].items():
            if value[0] in docnames:
                self.data['objects'][key] = value

    def resolve_xref(self, env, fromdocname, builder, typ, target, node, contnode):
        found = self.data['objects'].get((typ, target))
        if not found:
            return None
        return make_refnode(builder, fromdocname, found[0], found[1], contnode, target)

    def resolve_any_xref(self, env, fromdocname, builder, target, node, contnode):
        return []

    def get_objects(self):
        for (kind, name), (doc, anchor) in self.data['objects'].items():
            yield name, name, kind, doc, anchor, 1


def setup(app):
    app.add_directive('cmake-module', CMakeModule)
    app.add_transform(CMakePageObjects)
    app.add_domain(CMakeDomain)
    return {'parallel_read_safe': True, 'parallel_write_safe': True}
