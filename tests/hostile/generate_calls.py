#!/usr/bin/env python3
"""Writes one call of every exported function for the hostile-argument tests.

Reads every `ORV_API` declaration of the public headers and writes a C++ table
of {name, call} where each call takes its arguments from a `hostile::Args`,
which hands out null, zero, negative, huge or valid values by parameter type.
A parameter type the table below does not know stops the build, so that a new
kind of argument gets a deliberate choice of hostile values.

A second table pairs every setter that takes real numbers with the getters
that read what it sets (OVx_setY with OVx_getY, and the motions listed in
MOTION_GETTERS): each entry reads the getters, calls the setter with
non-finite numbers and tells whether the getters still read the same.

    generate_calls.py <output.cpp> <header> ...
"""
import re
import sys

# Functions that cannot be called with arbitrary arguments by design: they end
# the process, wait for a person, run until stopped or take a native handle.
NOT_CALLED = {
    "OVfatal": "ends the process",
    "OVmalloc": "ends the process for a size no memory can hold",
    "OVassert_failed": "asks a person, may end the process",
    "OVuniverse_go": "runs until stopped",
    "OVsleep": "sleeps for the given time",
    "OVwaitcursor": "takes a native cursor handle",
    "OVwindow_newuser": "takes a native window handle",
    "OVfree": "frees whatever it is given",
    "OVrealloc": "reallocates whatever it is given",
    "OVtexture_newfromdata": "takes over and frees the OVmalloc'd pixels it is given",
    "_OVjacobi": "ends the process when it cannot converge (a matrix with NaN)",
}

# Arguments that must agree with each other whatever the profile.
SPECIAL_ARGUMENTS = {
    "OVuniverse_setargs": "a.argument_count(), a.arguments()",
    # The sensor frees its raw data when it goes.
    "OVsensor_setrawdata": "a.handle<OVsensor>(), a.owned_block()",
}

# Results the caller owns.
RESULT_CLEANUP = {
    "OVstrdup": "OVfree(result);",
    "OVname_normalise": "OVfree(result);",
}

HANDLES = {
    "OVnode", "OVgeometry", "OVpoly", "OVvertex", "OVpolylist", "OVgeomlist", "OVmtable",
    "OVviewpoint", "OVwindow", "OVsensor", "OVmotionlink", "OVpath", "OVtask", "OVfont3d",
    "OVnodepath", "OVpathelement",
}

INTEGERS = {"int": "int", "unsigned": "unsigned", "unsigned int": "unsigned",
            "short": "short", "unsigned short": "unsigned short", "long": "long",
            "uint8_t": "uint8_t", "uint16_t": "uint16_t", "uint32_t": "uint32_t",
            "uint64_t": "uint64_t", "int32_t": "int32_t", "int64_t": "int64_t",
            "size_t": "size_t", "intptr_t": "intptr_t", "uintptr_t": "uintptr_t"}
REALS = {"float": "float", "double": "double"}
FLOAT_INPUTS = {"const OVp2", "const OVp3", "const OVq", "const float [3]", "const float [4]",
                "const float *"}
FLOAT_OUTPUTS = {"OVp2", "OVp3", "OVq", "float [3]", "float [4]", "float [6]", "float *"}
CALLBACKS = {"OVhandler", "OVprehandler", "OVsensorfn", "OVsensoropenfn", "OVglnodefunc",
             "OVuniversefn", "OVwindowdrawfn", "OVmessagehook", "OVtaskfn", "OVactionfn",
             "OVuvfn"}
OTHERS = {
    "void *": "a.object()",
    "const void *": "a.object()",
    "const char *": "a.text()",
    "char *": "a.out<char>()",
    "char **": "a.arguments()",
    "const OVm3": "a.in_m3()",
    "const OVm4": "a.in_m4()",
    "OVm3": "a.out_m3()",
    "OVm4": "a.out_m4()",
    "const OVpq *": "a.in_pq()",
    "OVpq *": "a.out_pq()",
    "OVtexinfo *": "a.out_texinfo()",
    "const OVp3 *": "a.in_p3s()",
    "const OVp2 *": "a.in_p2s()",
    "OVp3 [2]": "a.out_p3s()",
    "const int *": "a.in<int>()",
    "const short *": "a.in<short>()",
    "const unsigned char *": "a.in<unsigned char>()",
    "int *": "a.out<int>()",
    "uint32_t *": "a.out<uint32_t>()",
    "uint64_t [2]": "a.out<uint64_t>()",
    "unsigned char *": "a.out<unsigned char>()",
    "OVsensor **": "a.out_pointer<OVsensor>()",
    "OVnode **": "a.out_pointer<OVnode>()",
    "void **": "a.out_pointer<void>()",
    "OVvalue *": "a.value()",
    "const OVvalue *": "a.value()",
    "FILE *": "a.file()",
    "OVserialport *": "a.serial_port()",
}

DECLARATION = re.compile(r"ORV_API\s+([^;{}]*?)\b(\w+)\s*\(([^)]*)\)[^;]*;", re.S)


def parameter_type(text):
    """The type of one parameter declaration, its name and blanks removed."""
    text = " ".join(text.split())
    m = re.match(r"(.*?)\s*\b(\w+)\s*((?:\[[^\]]*\])*)$", text)
    if not m or m.group(1) in ("", "const"):
        return text  # a type without a parameter name
    base, dims = m.group(1).strip(), m.group(3)
    base = re.sub(r"\s*\*", " *", base).replace("* *", "**")
    dims = "".join(f"[{d.strip()}]" for d in re.findall(r"\[([^\]]*)\]", dims))
    return f"{base} {dims}".strip()


# Functions whose untyped pointers are byte buffers of a given size rather
# than toolkit objects.
BYTE_BUFFERS = {"OVnet_send", "OVnet_sendraw", "OVnet_read", "OVnet_readraw"}


def argument(t, function):
    if function in BYTE_BUFFERS and t in ("void *", "const void *"):
        return "a.in<unsigned char>()" if t.startswith("const") else "a.out<unsigned char>()"
    if t in OTHERS:
        return OTHERS[t]
    if t in INTEGERS:
        return f"a.integer<{INTEGERS[t]}>()"
    if t in REALS:
        return f"a.real<{REALS[t]}>()"
    if t in FLOAT_INPUTS:
        return "a.in<float>()"
    if t in FLOAT_OUTPUTS:
        return "a.out<float>()"
    if t in CALLBACKS:
        return f"static_cast<{t}>(nullptr)"
    m = re.match(r"(?:const )?(\w+) \*$", t)
    if m and m.group(1) in HANDLES:
        return f"a.handle<{m.group(1)}>()"
    # Arrays and pointers of numbers: inputs when const, else outputs.
    m = re.match(r"(const )?([\w ]+?) (?:\*|\[\d*\])$", t)
    if m and (m.group(2) in INTEGERS or m.group(2) in REALS):
        kind = "in" if m.group(1) else "out"
        return f"a.{kind}<{INTEGERS.get(m.group(2)) or REALS[m.group(2)]}>()"
    sys.exit(f"generate_calls.py: {function}: no hostile values for parameter type '{t}'")


def declarations(paths):
    for path in paths:
        text = open(path, encoding="utf-8").read()
        text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
        text = re.sub(r"//[^\n]*", "", text)
        text = re.sub(r"^\s*#[^\n]*", "", text, flags=re.M)
        for m in DECLARATION.finditer(text):
            yield m.group(1).strip(), m.group(2), m.group(3).strip()


def call(result, name, params):
    parts = [] if params in ("", "void") else [p.strip() for p in params.split(",")]
    args = [argument(parameter_type(p), name) for p in parts if p != "..."]
    if name in SPECIAL_ARGUMENTS:
        args = [SPECIAL_ARGUMENTS[name]]
    # printf-like functions take the hostile text as their format: no
    # arguments follow, and the texts hold no conversions.
    invocation = f"{name}({', '.join(args)})"
    if result == "void":
        body = f"{invocation};"
    elif result == "OVvalue":
        body = f"OVvalue result = {invocation}; OVvalue_free(&result);"
    elif name in RESULT_CLEANUP:
        body = f"auto result = {invocation}; {RESULT_CLEANUP[name]}"
    else:
        body = f"a.keep({invocation});"
    first_is_handle = bool(parts) and args[0].startswith(("a.handle<", "a.object()"))
    param = "Args &a" if "a." in body else "Args &"
    return f'    {{"{name}", {str(first_is_handle).lower()}, []({param}) {{ {body} }}}},'


# Changes of state named without "set", and the getters that read them.
MOTION_GETTERS = {
    **{f: ["OVnode_gettransform"] for f in (
        "OVnode_translate", "OVnode_rotateaxis", "OVnode_axisrotation", "OVnode_rotate",
        "OVnode_rotation", "OVnode_rotateq", "OVnode_rotatem3", "OVnode_rotatem4",
        "OVnode_settransform", "OVnode_setrotation", "OVnode_settranslation",
        "OVnode_setorientation")},
    **{f: ["OVviewpoint_getposition", "OVviewpoint_getorientation"] for f in (
        "OVviewpoint_translate", "OVviewpoint_rotate", "OVviewpoint_move",
        "OVviewpoint_setdirection", "OVviewpoint_alignaxis", "OVviewpoint_setpositionorientation",
        "OVviewpoint_setposition", "OVviewpoint_setorientation")},
    **{f: ["OVgeometry_getextents", "OVgeometry_getmidpoint"] for f in (
        "OVgeometry_translate", "OVgeometry_transform", "OVgeometry_scale", "OVgeometry_stretch")},
    "OVsensor_rotate": ["OVsensor_getreferenceframe"],
    "OVsensor_combine": ["OVsensor_gettranslation", "OVsensor_getrotation"],
    "OVsensor_setrecord": ["OVsensor_gettranslation", "OVsensor_getrotation"],
    "OVlodnode_setrange": ["OVlodnode_getranges", "OVlodnode_numranges"],
    "OVlodnode_setranges": ["OVlodnode_getranges", "OVlodnode_numranges"],
    "OVfont3d_setspacingfactor": ["OVfont3d_getspacing"],
    "OVwindow_setfrustum": ["OVwindow_getfrustum", "OVwindow_gethither", "OVwindow_getyon"],
}

REAL_INPUTS = set(REALS) | FLOAT_INPUTS | FLOAT_OUTPUTS | {
    "const OVm3", "const OVm4", "const OVpq *", "const OVp3 *", "const OVp2 *"}

# Output parameters of getters, as the pointer type a slot of a Reading takes.
OUTPUT_POINTERS = {"OVm3": "float (*)[3]", "OVm4": "float (*)[4]", "OVp3 [2]": "float (*)[3]"}


def parameters(params):
    parts = [] if params in ("", "void") else [p.strip() for p in params.split(",")]
    return [p for p in parts if p != "..."]


def parameter_name(text):
    m = re.search(r"(\w+)\s*(?:\[[^\]]*\])*$", " ".join(text.split()))
    return m.group(1) if m else ""


def handle_type(t):
    m = re.match(r"(?:const )?(\w+) \*$", t)
    return m.group(1) if m and m.group(1) in HANDLES else None


def integer_literal(param):
    # Frames are 0 or 3; any other number (axis, eye, count, index) is 1.
    return "0" if parameter_name(param) == "frame" else "1"


def output_pointer(t):
    if t in OUTPUT_POINTERS:
        return OUTPUT_POINTERS[t]
    if t in FLOAT_OUTPUTS:
        return "float *"
    m = re.match(r"([\w ]+?) (?:\*|\[\d*\])$", t)
    if m and not t.startswith("const ") and (m.group(1) in INTEGERS or m.group(1) in REALS or
                                             m.group(1) in ("char", "unsigned char", "OVpq")):
        return f"{m.group(1)} *"
    return None


def bind_handles(params, handles):
    """Arguments for handle parameters: the k-th of a type is handles[type][k]."""
    uses, args = {}, []
    for p in params:
        h = handle_type(parameter_type(p))
        if not h:
            args.append(None)
            continue
        k = uses.get(h, 0)
        uses[h] = k + 1
        if k >= len(handles.get(h, [])):
            return None
        args.append(handles[h][k])
    return args


def reading(getter, declared, handles, target):
    """A call of the getter that stores what it reads in the Reading target."""
    result, params = declared[getter]
    params = parameters(params)
    bound = bind_handles(params, handles)
    if bound is None:
        return None
    args = []
    for p, h in zip(params, bound):
        t = parameter_type(p)
        if h:
            args.append(h)
        elif t in INTEGERS:
            args.append(integer_literal(p))
        elif output_pointer(t):
            args.append(f"reinterpret_cast<{output_pointer(t)}>({target}.slot())")
        else:
            return None
    invocation = f"{getter}({', '.join(args)})"
    if result == "void":
        return f"{invocation};"
    if result in ("const char *", "char *"):
        return f"{target}.text({invocation});"
    return f"{target}.value({invocation});"


def unchanged_check(name, params, declared):
    """A table row for a setter of real numbers, or None without a getter."""
    params = parameters(params)
    types = [parameter_type(p) for p in params]
    if not any(t in REAL_INPUTS for t in types):
        return None
    getters = MOTION_GETTERS.get(name)
    if getters is None:
        getter = re.sub(r"_set(\w+)$", r"_get\1", name)
        getters = [getter] if getter != name and getter in declared else []
    handles, setup, args = {}, [], []
    for i, (p, t) in enumerate(zip(params, types)):
        h = handle_type(t)
        if h:
            var = f"h{i}"
            setup.append(f"auto *{var} = a.handle<{h}>();")
            handles.setdefault(h, []).append(var)
            args.append(var)
        elif t in INTEGERS:
            args.append(integer_literal(p))
        else:
            args.append(argument(t, name))
    readable = [g for g in getters if g in declared and reading(g, declared, handles, "r")]
    if not readable:
        return None
    body = " ".join(setup + ["Reading before, after;"] +
                    [reading(g, declared, handles, "before") for g in readable] +
                    [f"{name}({', '.join(args)});"] +
                    [reading(g, declared, handles, "after") for g in readable] +
                    ["return before == after;"])
    return f'    {{"{name}", [](Args &a) {{ {body} }}}},'


def main():
    out, headers = sys.argv[1], sys.argv[2:]
    rows, checks, seen = [], [], set()
    found = list(declarations(sorted(headers)))
    declared = {name: (result, params) for result, name, params in found}
    for result, name, params in found:
        if name in seen or name in NOT_CALLED:
            continue
        seen.add(name)
        rows.append(call(result, name, params))
        check = unchanged_check(name, params, declared)
        if check:
            checks.append(check)
    text = "\n".join([
        "// Generated by tests/hostile/generate_calls.py from the public headers. Do not edit.",
        '#include "hostile/hostile_args.h"',
        "",
        "namespace hostile {",
        "",
        "const HostileCall all_calls[] = {",
        *rows,
        "};",
        "const std::size_t all_call_count = sizeof all_calls / sizeof all_calls[0];",
        "",
        "const UnchangedCheck setter_checks[] = {",
        *checks,
        "};",
        "const std::size_t setter_check_count = sizeof setter_checks / sizeof setter_checks[0];",
        "",
        "} // namespace hostile",
        "",
    ])
    try:
        if open(out, encoding="utf-8").read() == text:
            return
    except OSError:
        pass
    with open(out, "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
