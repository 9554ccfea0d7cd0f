-- The VST3 plug-ins a new session's plug-in manager knows.
-- Arguments: session folder.
local zarg = require("zarg")

zarg.run(function()
	zarg.new_session(arg[1])
	for info in ARDOUR.LuaAPI.list_plugins():iter() do
		if info.type == ARDOUR.PluginType.VST3 then
			zarg.data("plugin", info.name, info.category, info.creator, info.path)
		end
	end
end)
