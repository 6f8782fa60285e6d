# An nginx of the machine serving one folder with autoindex on a loopback port, for the
# listing benchmark's comparison. start_nginx <folder>: sets NGINX_PORT; stop_nginx ends it.
# shellcheck shell=bash

start_nginx() {
  local root=$1 dir port
  command -v /usr/sbin/nginx >/dev/null || { log "no nginx (apt-get install nginx-light)"; return 1; }
  dir=$(mktemp -d /tmp/kelpa-nginx.XXXXXX)
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
  cat >"$dir/nginx.conf" <<CONF
worker_processes 1;
daemon on;
pid $dir/nginx.pid;
error_log $dir/error.log;
events { worker_connections 64; }
http {
  access_log off;
  client_body_temp_path $dir; proxy_temp_path $dir; fastcgi_temp_path $dir;
  uwsgi_temp_path $dir; scgi_temp_path $dir;
  server {
    listen 127.0.0.1:$port;
    root $root;
    location / { autoindex on; }
  }
}
CONF
  /usr/sbin/nginx -c "$dir/nginx.conf" -p "$dir" || return 1
  # shellcheck disable=SC2034  # read by scripts/bench
  NGINX_DIR=$dir NGINX_PORT=$port
}

stop_nginx() {
  [ -n "${NGINX_DIR:-}" ] || return 0
  [ -f "$NGINX_DIR/nginx.pid" ] && kill "$(cat "$NGINX_DIR/nginx.pid")" 2>/dev/null
  sleep 0.2
  rm -rf "$NGINX_DIR"
  NGINX_DIR=
}
