# Shared by the bench scripts (sourced, not run): installing the packages a bench needs and
# serving a folder with nginx on 127.0.0.1.

# bench_install PACKAGE...: installs with apt-get those that are missing.
bench_install() {
  local missing=() p sudo=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# bench_free_port: a free port on 127.0.0.1.
bench_free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}

# bench_serve SITE WORK PORT WORKERS PROBE_PATH: nginx serves SITE on 127.0.0.1:PORT with its
# files below WORK/nginx, in the background (its process id in nginx_pid); returns when PROBE_PATH
# answers, exits 2 when it does not within ten seconds.
bench_serve() {
  local site=$1 work=$2 port=$3 workers=$4 probe=$5
  mkdir -p "$work/nginx"
  cat >"$work/nginx/nginx.conf" <<CONF
worker_processes $workers;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
daemon off;
events { worker_connections 1024; }
http {
  include /etc/nginx/mime.types;
  access_log off;
  client_body_temp_path $work/nginx/body;
  proxy_temp_path $work/nginx/proxy;
  fastcgi_temp_path $work/nginx/fastcgi;
  uwsgi_temp_path $work/nginx/uwsgi;
  scgi_temp_path $work/nginx/scgi;
  server {
    listen 127.0.0.1:$port;
    root $site;
  }
}
CONF
  nginx -c "$work/nginx/nginx.conf" -p "$work/nginx" &
  nginx_pid=$!
  for _ in $(seq 100); do
    curl -fs -o /dev/null "http://127.0.0.1:$port$probe" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "nginx does not answer on port $port" >&2
  exit 2
}
