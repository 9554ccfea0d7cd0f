-- Shared by the scripts that ardour7-lua runs for the Ardour tests: the
-- result protocol the test driver reads, and the session set-up they share.
--
-- Results go to the file named by ZARG_ARDOUR_RESULTS, one flushed line each,
-- apart from Ardour's own chatter on stdout and safe from a later crash:
--   ZARG-CHECK <name> PASS|FAIL <detail>   a verdict reached inside Ardour
--   ZARG-DATA <key>\t<field>\t...          a fact for the driver to judge
--   ZARG-END                               every result is written
local zarg = {}

local results = assert(io.open(assert(os.getenv("ZARG_ARDOUR_RESULTS"), "ZARG_ARDOUR_RESULTS unset"), "a"))

local function emit(line)
	results:write(line, "\n")
	results:flush()
end

function zarg.check(name, ok, detail)
	emit(string.format("ZARG-CHECK %s %s %s", name, ok and "PASS" or "FAIL", detail or ""))
	return ok
end

function zarg.data(key, ...)
	local fields = { key }
	for _, v in ipairs({ ... }) do fields[#fields + 1] = tostring(v) end
	emit("ZARG-DATA " .. table.concat(fields, "\t"))
end

-- %.17g tells every double apart, so equal text means equal bits.
function zarg.number(v)
	return string.format("%.17g", v)
end

-- Runs the script's body; a Lua error becomes a failed check, not a crash
-- for the driver to retry.
function zarg.run(body)
	local ok, err = xpcall(body, debug.traceback)
	if not ok then zarg.check("script", false, tostring(err):gsub("\n", " | ")) end
	emit("ZARG-END")
end

local function start_engine()
	assert(AudioEngine:set_backend("None (Dummy)", "", ""), "no Dummy backend")
end

-- Sessions are named after their folder, as Ardour names them; a name
-- such as "export" would also clash with the session's own subfolders.
local function name_of(folder)
	return assert(folder:match("([^/]+)/*$"), "no session folder")
end

function zarg.new_session(folder)
	start_engine()
	assert(create_session(folder, name_of(folder), 48000), "cannot create the session")
end

function zarg.load_session(folder)
	start_engine()
	assert(load_session(folder, name_of(folder)), "cannot load the session")
end

-- A stereo track: with a stereo input no pan law touches the signal.
function zarg.new_track(name)
	local tracks = Session:new_audio_track(2, 2, nil, 1, name, ARDOUR.PresentationInfo.max_order,
		ARDOUR.TrackMode.Normal, true)
	assert(tracks:size() == 1, "cannot add a track")
	return tracks:front()
end

function zarg.track(name)
	local route = Session:route_by_name(name)
	assert(not route:isnil(), "no track " .. name)
	return route
end

-- ZARG at the top of the track's plug-ins, found in Ardour's plug-in list.
function zarg.insert(track)
	local proc = ARDOUR.LuaAPI.new_plugin(Session, "ZARG", ARDOUR.PluginType.VST3, "")
	assert(not proc:isnil(), "Ardour does not know the VST3 plug-in ZARG")
	assert(track:add_processor_by_index(proc, 0, nil, true) == 0, "cannot add ZARG to the track")
	return proc
end

-- The ZARG instance a loaded session restored.
function zarg.restored(track)
	local proc = track:nth_plugin(0)
	assert(not proc:isnil(), "the loaded track has no plug-in")
	assert(proc:to_insert():plugin(0):name() == "ZARG", "the loaded track's plug-in is not ZARG")
	return proc
end

-- The parameters Ardour offers as input controls: { {index=, label=}, ... }.
function zarg.inputs(proc)
	local plugin = proc:to_insert():plugin(0)
	local list = {}
	for i = 0, plugin:parameter_count() - 1 do
		if plugin:parameter_is_control(i) and plugin:parameter_is_input(i) then
			list[#list + 1] = { index = i, label = plugin:parameter_label(i) }
		end
	end
	return list
end

function zarg.value(proc, index)
	local value, ok = ARDOUR.LuaAPI.get_processor_param(proc, index, true)
	assert(ok, "cannot read parameter " .. index)
	return value
end

-- One ZARG-DATA line per input control: key, index, label, value.
function zarg.report_values(key, proc)
	for _, p in ipairs(zarg.inputs(proc)) do
		zarg.data(key, p.index, p.label, zarg.number(zarg.value(proc, p.index)))
	end
end

-- The input control with this label (the first, should there be two).
function zarg.index_of(proc, label)
	for _, p in ipairs(zarg.inputs(proc)) do
		if p.label == label then return p.index end
	end
	error("no parameter " .. label)
end

-- Sets "Label=value" settings (plain values) through Ardour's controls.
function zarg.apply(proc, settings)
	for _, setting in ipairs(settings) do
		local label, value = setting:match("^(.-)=(.*)$")
		assert(label, "not a setting: " .. setting)
		local index = zarg.index_of(proc, label)
		assert(ARDOUR.LuaAPI.set_processor_param(proc, index, assert(tonumber(value))),
			"cannot set " .. label)
	end
end

-- Lets the engine run a few process cycles: Ardour hands parameter changes
-- to the plug-in's processor only in its next process call.
function zarg.settle()
	assert(ARDOUR.LuaAPI.wait_for_process_callback(4, 5000), "the engine does not run")
end

-- Factory presets by name, through the plug-in's preset list in Ardour.
function zarg.load_preset(proc, name)
	local plugin = proc:to_insert():plugin(0)
	local preset = plugin:preset_by_label(name)
	assert(preset and preset.valid, "Ardour lists no preset " .. name)
	-- Should Ardour hang in load_preset, this is the last line the driver sees.
	zarg.data("loading", name)
	return plugin:load_preset(preset)
end

return zarg
